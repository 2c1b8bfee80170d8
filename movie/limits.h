// The bounds that keep a broken or hostile movie from costing unbounded time, memory or stack:
// each is far above what a strip movie needs, and a movie past any of them is not played.
#pragma once

#include <cstddef>
#include <cstdint>

namespace movie {

// Before and after inflating: a strip movie is a few kilobytes, and the file is held in memory.
inline constexpr std::size_t kMaxFileBytes = 16u << 20;

// Sprites inside sprites: a sprite that places itself would otherwise nest until the stack ran out.
inline constexpr int kMaxNesting = 16;

// Definitions of shapes and sprites in one movie.
inline constexpr std::size_t kMaxCharacters = 8192;

// Fill and line styles of one shape, over all its style tables.
inline constexpr std::size_t kMaxShapeStyles = 4096;

// Edges of one shape, and of all shapes together: each costs memory and drawing time every frame.
inline constexpr std::size_t kMaxShapeEdges = 65536;
inline constexpr std::size_t kMaxMovieEdges = 262144;

// Placements, removals and stops in all timelines together.
inline constexpr std::size_t kMaxControls = 65536;

// Frames of one timeline: stepping back replays from the first frame, so this bounds that work.
inline constexpr int kMaxFrames = 4096;

// Objects alive at once in the whole display tree (sprites' children included).
inline constexpr std::size_t kMaxLiveObjects = 2048;

// Work of one frame step: each control applied and sprite moved on counts one, and so do every
// 16 objects shifted or cleared in a display list; past it the rest of that step is skipped.
inline constexpr int kMaxStepWork = 2048;

// Work of stepping back, which replays from the first frame: past it the replay stops short.
inline constexpr long long kMaxReplayWork = 1 << 18;

// Lines handed to the rasteriser, objects drawn, and pixels swept (counted in whole pictures) in
// one frame; past any of them, drawing stops there.
inline constexpr std::size_t kMaxFrameLines = 60000;
inline constexpr std::size_t kMaxFrameObjects = 2048;
inline constexpr int kMaxFrameSweeps = 64;

// Clip layers in force at once, and in one frame: each holds a coverage mask of the whole
// picture. A clip layer past either limit hides what it would mask.
inline constexpr int kMaxClipLayers = 16;
inline constexpr int kMaxFrameClips = 64;

// Frames per second a movie may ask for; 0 means "unset" in files written by careless tools.
inline constexpr double kMinFrameRate = 1.0;
inline constexpr double kMaxFrameRate = 60.0;
inline constexpr double kDefaultFrameRate = 12.0;

// The stage's side in twips (8192 px): only used to fit the movie, but a stage of zero or absurd
// size means the header is garbage.
inline constexpr std::int32_t kMaxStageTwips = 8192 * 20;

// Stops of a gradient, as many as the format can hold.
inline constexpr int kMaxGradientStops = 15;

// Straight pieces one curve is flattened into, however large it is drawn.
inline constexpr int kMaxCurveSegments = 64;

// Pixels of one picture: the scratch buffers of a frame are sized by it.
inline constexpr std::int64_t kMaxRenderPixels = std::int64_t{8192} * 8192;

} // namespace movie
