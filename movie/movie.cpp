// Reads a movie's tag stream into its characters and timelines; every tag it does not draw is
// passed over by its length.
#include "movie/movie.h"

#include "movie/limits.h"
#include "movie/swf_file.h"

#include <algorithm>

namespace movie {
namespace {

enum TagCode {
    kEnd = 0,
    kShowFrame = 1,
    kPlaceObject = 4,
    kRemoveObject = 5,
    kSetBackgroundColor = 9,
    kDoAction = 12,
    kPlaceObject2 = 26,
    kRemoveObject2 = 28,
    kDefineSprite = 39,
    kFileAttributes = 69,
    kPlaceObject3 = 70,
    kDoAbc = 72,
    kDoAbc2 = 82,
};

bool by_id(const Character& c, std::uint16_t id)
{
    return c.id < id;
}

bool read_place(const Tag& tag, Control& c)
{
    Bits in(tag.body);
    if (tag.code == kPlaceObject) {
        c.has_character = c.has_matrix = true;
        c.character = in.u16();
        c.depth = in.u16();
        c.matrix = read_matrix(in);
        if (in.remaining() > 0) {
            c.has_colour = true;
            c.colour = read_colour_transform(in, false);
        }
        return !in.failed();
    }
    const unsigned flags = in.u8();
    const unsigned more_flags = tag.code == kPlaceObject3 ? in.u8() : 0;
    c.depth = in.u16();
    // PlaceObject3 names a class before the character: with its own flag, or an image's.
    if ((more_flags & 0x08) || ((more_flags & 0x10) && (flags & 0x02))) in.skip_string();
    c.move = (flags & 0x01) != 0;
    if (flags & 0x02) {
        c.has_character = true;
        c.character = in.u16();
    }
    if (flags & 0x04) {
        c.has_matrix = true;
        c.matrix = read_matrix(in);
    }
    if (flags & 0x08) {
        c.has_colour = true;
        c.colour = read_colour_transform(in, true);
    }
    if (flags & 0x10) in.u16();         // ratio: morph shapes and video only
    if (flags & 0x20) in.skip_string(); // instance name: scripts only
    if (flags & 0x40) {
        c.has_clip = true;
        c.clip_depth = in.u16();
    }
    // The rest (filters, blend mode, bitmap caching, visibility, an opaque background, clip
    // actions) comes last and changes only what this player does not draw, so it is not read.
    return !in.failed();
}

class Reader {
public:
    explicit Reader(Movie& movie) : movie_(movie) {}

    // False when the movie cannot be played.
    bool read_timeline(std::span<const std::uint8_t> stream, std::uint16_t frame_count, bool main,
                       Timeline& timeline)
    {
        if (frame_count > kMaxFrames) return false;
        Bits in(stream);
        Tag tag;
        while (next_tag(in, tag) && tag.code != kEnd) {
            if (!read_tag(tag, main, timeline)) return false;
        }
        // The header's count is the timeline's length: frames it has no ShowFrame for show no
        // change, and ShowFrames past it are never reached.
        timeline.frame_ends.resize(std::max<std::size_t>(1, frame_count),
                                   static_cast<std::uint32_t>(timeline.controls.size()));
        return true;
    }

private:
    bool read_tag(const Tag& tag, bool main, Timeline& timeline)
    {
        Control control;
        switch (tag.code) {
        case kShowFrame:
            timeline.frame_ends.push_back(static_cast<std::uint32_t>(timeline.controls.size()));
            return true;
        case kPlaceObject:
        case kPlaceObject2:
        case kPlaceObject3: return !read_place(tag, control) || add(timeline, control);
        case kRemoveObject:
        case kRemoveObject2: {
            Bits in(tag.body);
            if (tag.code == kRemoveObject) in.u16();
            control.kind = Control::Kind::remove;
            control.depth = in.u16();
            return in.failed() || add(timeline, control);
        }
        case kDoAction: {
            // Only a lone Stop is understood: scripts are not run.
            const bool stop = tag.body.size() == 2 && tag.body[0] == 0x07 && tag.body[1] == 0;
            control.kind = Control::Kind::stop;
            return !stop || add(timeline, control);
        }
        default:
            // Definitions and the movie's settings belong to the main stream only.
            return !main || read_main_tag(tag);
        }
    }

    bool read_main_tag(const Tag& tag)
    {
        Bits in(tag.body);
        switch (tag.code) {
        case kSetBackgroundColor:
            if (!background_set_ && tag.body.size() >= 3) {
                movie_.background = std::uint32_t{tag.body[0]} << 16 |
                                    std::uint32_t{tag.body[1]} << 8 | tag.body[2];
                background_set_ = true;
            }
            return true;
        case kFileAttributes:
            return tag.body.empty() || (tag.body[0] & 0x08) == 0; // ActionScript 3
        case kDoAbc:
        case kDoAbc2: return false;
        case kDefineShape:
        case kDefineShape2:
        case kDefineShape3:
        case kDefineShape4: {
            const std::uint16_t id = in.u16();
            Shape shape;
            const bool read = read_shape(in, tag.code, shape, edges_);
            if (edges_ > kMaxMovieEdges) return false;
            // A broken shape is left undefined: placing it shows nothing, the rest plays on.
            if (!read) return true;
            movie_.shapes.push_back(std::move(shape));
            return define(id, Character::Kind::shape, movie_.shapes.size() - 1);
        }
        case kDefineSprite: {
            const std::uint16_t id = in.u16();
            const std::uint16_t frames = in.u16();
            if (in.failed()) return true;
            Timeline sprite;
            if (!read_timeline(tag.body.subspan(4), frames, false, sprite)) return false;
            movie_.timelines.push_back(std::move(sprite));
            return define(id, Character::Kind::sprite, movie_.timelines.size() - 1);
        }
        default: return true;
        }
    }

    bool add(Timeline& timeline, const Control& control)
    {
        if (++controls_ > kMaxControls) return false;
        timeline.controls.push_back(control);
        return true;
    }

    bool define(std::uint16_t id, Character::Kind kind, std::size_t index)
    {
        if (movie_.characters.size() >= kMaxCharacters) return false;
        auto& list = movie_.characters;
        const auto at = std::lower_bound(list.begin(), list.end(), id, by_id);
        // The first definition of an id stands, as later ones are ignored when a movie plays.
        if (at == list.end() || at->id != id)
            list.insert(at, {id, kind, static_cast<std::uint32_t>(index)});
        return true;
    }

    Movie& movie_;
    std::size_t edges_ = 0;
    std::size_t controls_ = 0;
    bool background_set_ = false;
};

} // namespace

Character Movie::find(std::uint16_t id) const
{
    const auto at = std::lower_bound(characters.begin(), characters.end(), id, by_id);
    return at != characters.end() && at->id == id ? *at : Character{id};
}

std::optional<Movie> read_movie(std::span<const std::uint8_t> file)
{
    SwfFile swf;
    if (!open_swf(file, swf)) return std::nullopt;
    const Header& h = swf.header;
    const std::int64_t width = std::int64_t{h.x_max} - h.x_min;
    const std::int64_t height = std::int64_t{h.y_max} - h.y_min;
    if (width <= 0 || height <= 0 || width > kMaxStageTwips || height > kMaxStageTwips)
        return std::nullopt;

    Movie movie;
    movie.x_min = static_cast<float>(h.x_min);
    movie.y_min = static_cast<float>(h.y_min);
    movie.width = static_cast<float>(width);
    movie.height = static_cast<float>(height);
    movie.frame_rate = h.frame_rate == 0
                           ? kDefaultFrameRate
                           : std::clamp(h.frame_rate / 256.0, kMinFrameRate, kMaxFrameRate);
    movie.timelines.emplace_back();
    Reader reader(movie);
    Timeline main;
    if (!reader.read_timeline(std::span(swf.body).subspan(swf.tags), h.frame_count, true, main))
        return std::nullopt;
    movie.timelines.front() = std::move(main);
    return movie;
}

} // namespace movie
