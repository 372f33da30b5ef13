// The shipped program has no console: the standard library's verbose
// terminate handler would write the demangled type of the escaped exception
// to a stderr nobody reads, and links the whole C++ demangler (about 45 KiB)
// to do it. Linked into wendle.exe only; test programs keep the verbose one.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
