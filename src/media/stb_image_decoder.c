/* stb_image from libstb-dev, built once for the whole program, with only the picture
 * formats that a chart names. Nothing here opens a file itself. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb/stb_image.h>
