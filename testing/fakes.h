#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/services.h"

namespace tessarin::testing {

/// A clock that always tells the same date and time.
class FixedClock : public Clock {
 public:
  FixedClock(std::string date = "08/12/2026", std::string time = "13:34:39")
      : date_(std::move(date)), time_(std::move(time)) {}
  std::string DateText() override { return date_; }
  std::string TimeText() override { return time_; }

 private:
  std::string date_;
  std::string time_;
};

/// Counts the yields and runs an optional action at each.
class CountingYield : public EventLoopYield {
 public:
  void YieldOnce() override {
    ++count;
    if (on_yield) on_yield();
  }
  int count = 0;
  std::function<void()> on_yield;
};

/// Records every message box instead of showing it; questions get the
/// scripted answers in turn, then "Non" (`answers`) or "Annuler"
/// (`choices`, for the three-button question).
class RecordingMessageBox : public MessageBox {
 public:
  struct Shown {
    std::string text;
    std::string title;
    bool question = false;
  };
  void Show(std::string_view text, std::string_view title) override {
    shown.push_back({std::string(text), std::string(title)});
  }
  bool Ask(std::string_view text, std::string_view title) override {
    shown.push_back({std::string(text), std::string(title), true});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override {
    shown.push_back({std::string(text), std::string(title), true});
    if (choices.empty()) return Answer::kCancel;
    const Answer choice = choices.front();
    choices.erase(choices.begin());
    return choice;
  }
  std::vector<Shown> shown;
  std::vector<bool> answers;
  std::vector<Answer> choices;
};

/// A file dialog that gives scripted answers and records how it was shown.
class ScriptedFileDialog : public FileDialog {
 public:
  struct Showing {
    bool save;
    std::string folder_or_proposal;
    bool must_exist;
  };
  /// The next showing chooses `path`.
  void WillChoose(std::string path) { answers_.push_back({Outcome::kChosen, std::move(path)}); }
  void WillCancel() { answers_.push_back({Outcome::kCancelled, {}}); }
  void WillFail() { answers_.push_back({Outcome::kFailed, {}}); }

  Choice ShowOpen(const std::string& folder, bool must_exist) override {
    showings.push_back({false, folder, must_exist});
    return Next();
  }
  Choice ShowSave(const std::string& proposed_path) override {
    showings.push_back({true, proposed_path, false});
    return Next();
  }
  std::vector<Showing> showings;

 private:
  Choice Next() {
    if (answers_.empty()) return {Outcome::kCancelled, {}};
    Choice next = answers_.front();
    answers_.erase(answers_.begin());
    return next;
  }
  std::vector<Choice> answers_;
};

/// A processor dialog that gives scripted answers (then cancels) and records
/// the part it showed selected each time.
class ScriptedProcessorChoice : public ProcessorChoice {
 public:
  /// The next showing chooses `part`; nothing: it is cancelled.
  void WillChoose(std::optional<std::string> part) { answers_.push_back(std::move(part)); }

  std::optional<std::string> Show(std::string_view current) override {
    shown_current.emplace_back(current);
    if (answers_.empty()) return std::nullopt;
    std::optional<std::string> next = answers_.front();
    answers_.erase(answers_.begin());
    return next;
  }
  std::vector<std::string> shown_current;

 private:
  std::vector<std::optional<std::string>> answers_;
};

/// Settings held in memory: the part remembered for each HEX file.
class RememberedParts : public PartMemory {
 public:
  std::string PartFor(const std::string& hex_path) override {
    const auto found = parts.find(hex_path);
    return found == parts.end() ? std::string() : found->second;
  }
  void Remember(const std::string& hex_path, std::string_view part) override {
    parts[hex_path] = std::string(part);
  }
  std::map<std::string, std::string> parts;
};

}  // namespace tessarin::testing
