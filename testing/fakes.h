#pragma once

#include <functional>
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

}  // namespace tessarin::testing
