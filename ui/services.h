#pragma once

#include <string>
#include <string_view>

namespace tessarin {

/// The application's title: window caption, message-box titles, source header.
inline constexpr std::string_view kAppTitle = "Tessarin";
inline constexpr std::string_view kAppVersion = "1.0.0";

/// A modal message box with one OK button and no icon. Texts are UTF-8.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  /// Returns once the user has pressed OK.
  virtual void Show(std::string_view text, std::string_view title) = 0;
};

/// Lets the event loop handle the events that are pending, once.
class EventLoopYield {
 public:
  virtual ~EventLoopYield() = default;
  virtual void YieldOnce() = 0;
};

/// The current date and time, each as text in the user's default form.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::string DateText() = 0;
  virtual std::string TimeText() = 0;
};

}  // namespace tessarin
