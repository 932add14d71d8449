// What std::terminate does in the exe.
//
// libstdc++'s default handler prints the type of the exception that ended the
// program, and for that links in the C++ demangler, some 46 KB. The program has
// no console to print to, and every exception is caught before it could reach
// std::terminate, so naming the default handler here keeps the library's
// version, and the demangler with it, out of the exe.
#include <cstdlib>

// The library's own names, reserved to it, which is the point.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
