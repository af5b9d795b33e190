// Linked into the tool when it is built with the sanitizers, so that every run of it, under CTest
// or by hand, lets go the command buffer's one allocation, which the tool never releases on
// purpose, and says nothing of having done so. Any other leak still fails the run.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): the sanitizer's hooks.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:obtain_command_buffer\n";
}

extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
