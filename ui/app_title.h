#pragma once

#include <string_view>

namespace tessarin {

/// The application's title: window caption, message-box titles, source header.
inline constexpr std::string_view kAppTitle = "Tessarin";
inline constexpr std::string_view kAppVersion = "1.0.0";

}  // namespace tessarin
