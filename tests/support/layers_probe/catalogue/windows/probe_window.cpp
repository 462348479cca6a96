// Not built: the layer check reads it and lets it through, as the styles views open this window.
#include "songs/windows/song_links_window.h"
