// Control IDs of the box's parts beside its buttons: apart from every button
// ID and from IDTIMEOUT. The message text has the ID message boxes give it.
#pragma once

namespace vorlick {

inline constexpr int kIconId = 20;
inline constexpr int kCountdownId = 21;
inline constexpr int kTextId = 0xFFFF;

}  // namespace vorlick
