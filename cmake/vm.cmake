# Real-kernel tests: tervane_add_vm_test(<name> <target> [args...]) registers a
# CTest entry that runs the target's executable inside a QEMU software VM on
# Debian's kernel (tests/vm/run_in_vm.sh). It is skipped, with the reason
# printed, where QEMU, a static busybox or Debian's archive cannot be had.
set(TERVANE_VM_SCRIPT ${CMAKE_SOURCE_DIR}/tests/vm/run_in_vm.sh)
set(TERVANE_VM_CACHE ${CMAKE_BINARY_DIR}/vm-cache)

function(tervane_add_vm_test name target)
  add_test(NAME ${name}
           COMMAND ${TERVANE_VM_SCRIPT} ${TERVANE_VM_CACHE} ${name} $<TARGET_FILE:${target}> ${ARGN})
  # One VM at a time: each takes a whole core under software emulation.
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300
                       RESOURCE_LOCK tervane_vm LABELS vm)
endfunction()
