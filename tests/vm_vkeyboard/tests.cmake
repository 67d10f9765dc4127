# The key filter and the virtual keyboard on the real kernel: a uinput keyboard stands in for
# the physical one and is grabbed by the real key filter inside the test VM.
tervane_add_vm_test(vm_vkeyboard test_vm_vkeyboard)
