// The decoder compiled into the fuzzer itself, in its default configuration, so that
// coverage and the sanitizers reach inside it.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
