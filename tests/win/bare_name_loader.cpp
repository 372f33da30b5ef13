// Loads the DLL named on its command line by its bare name, as a careless
// program would; exits 0 when that worked.
#include <windows.h>

int main(int argc, char** argv) {
    return argc == 2 && LoadLibraryA(argv[1]) ? 0 : 1;
}
