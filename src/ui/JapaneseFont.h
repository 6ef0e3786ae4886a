#pragma once

#include <QFont>

namespace mervasto {

// The windows' Japanese font at `pointSize`: the classic proportional Gothic where it is
// installed, otherwise a Japanese Gothic of this system, so that kanji keep their Japanese
// shapes instead of falling back to Chinese ones.
QFont japaneseFont(double pointSize);

} // namespace mervasto
