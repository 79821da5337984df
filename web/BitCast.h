#pragma once

// Emscripten 3.1.6's C++ library predates std::bit_cast; its compiler has the builtin that
// the standard function is made of. Included in every unit of the browser build.
#include <bit>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
namespace std {
template <class To, class From> constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}
} // namespace std
#endif
