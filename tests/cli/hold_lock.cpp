// Holds the lock that runs take on a folder, as a run in the midst of
// replacing its files does: prints "held" once it has it, and lets go after
// the seconds given.
//
//   hold_lock FOLDER SECONDS
#include <cstdio>
#include <cstdlib>
#include <string>

#include <windows.h>

#include "platform.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const platform::FolderLock lock(argv[1], std::string());
    if (lock.error())
        return 1;
    std::puts("held");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
    return 0;
}
