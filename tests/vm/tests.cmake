# The device link on real hidraw: the uhid bridge, hidapi and libudev inside the VM.
tervane_add_vm_test(vm_device_link test_vm)
