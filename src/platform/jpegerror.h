#pragma once

// libjpeg's error handling as the codec uses it; for the platform's own JPEG
// code only (it needs libjpeg's headers).

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace sw {

// libjpeg reports fatal errors through error_exit, which must not return: it
// jumps back to the setjmp of the running decode or encode. The functions that
// call setjmp keep every C++ object with a destructor outside their own frame.
struct JpegError
{
    jpeg_error_mgr manager; // first, so the jpeg_error_mgr* is a JpegError*
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Sets up the error manager: fatal errors and the warnings that say data is
// missing jump back; other warnings are tolerated.
void installErrorManager(JpegError& error);

} // namespace sw
