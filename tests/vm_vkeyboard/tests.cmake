# The key filter and the virtual keyboard on the real kernel: a uinput keyboard stands in for
# the physical one and is grabbed by the real key filter inside the test VM.
tervane_add_vm_test(vm_vkeyboard test_vm_vkeyboard)
# The stand-in keyboard and the readers use libevdev directly.
target_link_libraries(test_vm_vkeyboard PRIVATE PkgConfig::EVDEV)
