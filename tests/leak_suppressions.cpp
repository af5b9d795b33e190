// Linked into the tool when it is built with the sanitizers, so that every run of it, under CTest
// or by hand, lets go the command buffer's one allocation, which the tool never releases on
// purpose. Any other leak still fails the run.
extern "C" const char* __lsan_default_suppressions() {  // NOLINT: the sanitizer's own hook
  return "leak:obtain_command_buffer\n";
}
