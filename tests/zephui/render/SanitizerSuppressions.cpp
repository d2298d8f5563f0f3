// Sanitizer builds only read these hooks; normal builds ignore them.
//
// fontconfig stores its internal pointers as offsets, so the leak checker
// cannot see that the font configuration still holds the character sets and
// patterns it made for application fonts, and reports them at exit.
//
// Pango runs fontconfig on a thread of its own, and fontconfig guards its
// shared tables with atomics the thread checker does not see in an
// uninstrumented library, so it reports races inside fontconfig and
// misused locks where Pango releases a configuration lock fontconfig took.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __tsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libfontconfig.so\n"
         "race:libfontconfig.so\n"
         "mutex:libfontconfig.so\n"
         "mutex:libpangoft2-1.0.so\n";
}
