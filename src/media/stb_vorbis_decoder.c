/* stb_vorbis from libstb-dev, built once for the whole program. Nothing here opens a
 * file itself. */
#define STB_VORBIS_NO_STDIO
#include <stb/stb_vorbis.h>
