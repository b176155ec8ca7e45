#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/app_title.h"

namespace tessarin {

/// A modal message box without icon. Texts are UTF-8.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  /// One OK button; returns once the user has pressed it.
  virtual void Show(std::string_view text, std::string_view title) = 0;
  /// A question with the buttons "Oui" and "Non"; true for "Oui". Closing
  /// the box any other way answers "Non".
  virtual bool Ask(std::string_view text, std::string_view title) = 0;

  enum class Answer { kYes, kNo, kCancel };
  /// A question with the buttons "Oui", "Non" and "Annuler". Closing the box
  /// any other way answers "Annuler".
  virtual Answer AskYesNoCancel(std::string_view text, std::string_view title) = 0;
};

/// Lets the event loop handle the events that are pending, once.
class EventLoopYield {
 public:
  virtual ~EventLoopYield() = default;
  virtual void YieldOnce() = 0;
};

/// A yield with no event loop to run: for batch use.
class NoYield : public EventLoopYield {
 public:
  void YieldOnce() override {}
};

/// The current date and time, each as text in the user's default form.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::string DateText() = 0;
  virtual std::string TimeText() = 0;
};

/// The platform's open and save dialog. It only shows itself and reports
/// what the user did; what the tool remembers of it lives in `DialogState`.
class FileDialog {
 public:
  enum class Outcome { kChosen, kCancelled, kFailed };
  struct Choice {
    Outcome outcome = Outcome::kFailed;
    std::string path;  ///< full path of the chosen file, when chosen
  };
  virtual ~FileDialog() = default;
  /// An open dialog starting in `folder` (empty: wherever the platform likes).
  /// With `must_exist`, only an existing file can be chosen.
  virtual Choice ShowOpen(const std::string& folder, bool must_exist) = 0;
  /// A save dialog proposing `proposed_path` (empty: nothing proposed).
  virtual Choice ShowSave(const std::string& proposed_path) = 0;
};

/// The dialog of "&Processeur": every part, grouped by core, the current one
/// selected. It only shows itself and reports what the user chose.
class ProcessorChoice {
 public:
  virtual ~ProcessorChoice() = default;
  /// The name of the part chosen ("16F1827"), or nothing when the user
  /// cancels. `current` names the part selected at first.
  virtual std::optional<std::string> Show(std::string_view current) = 0;
};

/// What the user's settings keep between runs: the part last chosen for each
/// HEX file, by the file's absolute path (file system encoding).
class PartMemory {
 public:
  virtual ~PartMemory() = default;
  /// The part last chosen for `hex_path`; empty when none was.
  virtual std::string PartFor(const std::string& hex_path) = 0;
  virtual void Remember(const std::string& hex_path, std::string_view part) = 0;
};

/// A memory that keeps nothing: for batch use.
class NoPartMemory : public PartMemory {
 public:
  std::string PartFor(const std::string&) override { return {}; }
  void Remember(const std::string&, std::string_view) override {}
};

/// The services a command may use, handed to it by whoever owns the window.
struct Toolkit {
  MessageBox& message_box;
  EventLoopYield& yield;
  Clock& clock;
  FileDialog& dialog;
  ProcessorChoice& processor_choice;
  PartMemory& parts;
};

}  // namespace tessarin
