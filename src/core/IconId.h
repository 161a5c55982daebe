#pragma once

namespace plimset {

// The program's own pictures, by the resource ids the windows ask for them.
enum class IconId : int {
    None = 0,
    Go = 101,      // the action button's start face; also the test play's start face
    Stop = 102,    // the action button's stop face, in every style
    GoRound = 201, // the start face of the second button style
    Minimize = 501,
    Clear = 502,
};

} // namespace plimset
