#pragma once
// Brackets the definition of a class that implements COM interfaces. COM interfaces have no
// virtual destructor by design (objects end through Release), which GCC's -Wnon-virtual-dtor
// reports for every implementing class; MSVC does not warn.
#if defined(__GNUC__)
#define KORVANE_COM_IMPLEMENTATION_BEGIN \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wnon-virtual-dtor\"")
#define KORVANE_COM_IMPLEMENTATION_END _Pragma("GCC diagnostic pop")
#else
#define KORVANE_COM_IMPLEMENTATION_BEGIN
#define KORVANE_COM_IMPLEMENTATION_END
#endif
