// Reads the movie a front end has opened: the front end opens the file by its own kind of path,
// and the reading and its bound are the same everywhere.
#pragma once

#include "movie/player.h"

#include <cstdio>

namespace movie {

// The player for the file's bytes, read once and closed; a null file (missing, unreadable), a
// read error or a file over kMaxMovieFileBytes gives the plain player.
Player load(std::FILE* file);

} // namespace movie
