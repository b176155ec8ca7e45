#include "pass/assembler.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "decode/decoder.h"
#include "pass/hex_record.h"
#include "pass/line_store.h"
#include "pass/listing_line.h"
#include "pass/record_reader.h"
#include "processors/processor.h"
#include "symbolic/symbolic_printer.h"
#include "symbolic/symbolic_words.h"
#include "ui/text_slice.h"

namespace tessarin {
namespace {

// The failure of a record whose words run past the last word address of
// the chip, `address_words` - 1.
Status WordsPastTop(int index, int address_words) {
  return LineFailure(
      index, "words run past word address " + HexText(static_cast<unsigned>(address_words - 1)));
}

// The word address that a label names, when its last four characters are
// exactly an address text as the listing writes it and the chip has it.
std::optional<int> LabelAddress(std::string_view label, int address_words) {
  const std::string_view digits = MidFrom(label, 2);
  if (digits.size() != 4) return std::nullopt;
  for (char c : digits) {
    if (!IsUpperHexDigit(c)) return std::nullopt;
  }
  const unsigned value = ReadHexField(digits);
  if (value >= static_cast<unsigned>(address_words)) return std::nullopt;
  return static_cast<int>(value);
}

// The value of a label's digits however they are written, for its EQU line.
unsigned LabelValue(std::string_view label) {
  unsigned value = 0;
  for (char c : MidFrom(label, 2)) value = value * 16 + static_cast<unsigned>(HexDigitValue(c));
  return value;
}

// How each style writes the words. The sweeps take one as a template
// argument, so that the classic style runs exactly the code it always ran.
// The classic decoder reads the word address from CurrentAddress, which
// holds every word address of its chip.
class ClassicWords {
 public:
  explicit ClassicWords(SharedState& state) : state_(state) {}
  // Adds the label of a CALL or GOTO word to List2, as decoding it would.
  void CollectLabel(int address, std::string_view word) {
    state_.CurrentAddress = static_cast<int16_t>(address);
    CollectBranchTarget(word, state_);
  }
  std::string Text(int address, std::string_view word, bool) {
    state_.CurrentAddress = static_cast<int16_t>(address);
    return DecodeWord(word, state_);
  }
  std::string Org(int address) const { return OrgLine(address); }
  bool OrgAfter(int) const { return false; }

 private:
  SharedState& state_;
};

// The symbolic style: labels of the targets the flow gives, named source.
class SymbolicStyleWords {
 public:
  SymbolicStyleWords(SharedState& state, const SymbolicWords& words)
      : state_(state), words_(words) {}
  void CollectLabel(int address, std::string_view word) {
    if (std::string label = words_.Label(address, word); !label.empty())
      state_.List2.Add(std::move(label));
  }
  std::string Text(int address, std::string_view word, bool labelled) {
    return words_.Text(address, word, labelled);
  }
  std::string Org(int address) const {
    return OrgLine(SymbolicOrgAddress(address, words_.processor()),
                   SymbolicOrgWarning(address, words_.processor()));
  }
  // __CONFIG sets a configuration word without moving gpasm on: a word
  // after it needs an ORG line of its own.
  bool OrgAfter(int address) const { return IsConfigurationWord(words_.processor(), address); }

 private:
  SharedState& state_;
  const SymbolicWords& words_;
};

// First sweep: collects the branch target of every word into List2 and notes
// which addresses hold a word.
template <typename Words>
Status CollectTargets(SharedState& state, Words& style, std::vector<bool>& has_word,
                      int& line_count) {
  state.PassNumber = 1;
  const TextList::AdditionRun targets(state.List2);
  RecordReader reader(state);
  for (int i = 0; i <= state.HexLineCount; ++i) {
    const Result<StoredRecord> read = reader.Read(i);
    if (!read.ok()) return read.status();
    const auto [record, first] = *read;
    if (IsAddressRecord(record)) continue;
    const int words = RecordWordCount(record);
    line_count += words + 2;  // its words, perhaps an ORG line and the empty line before
    for (int k = 0, address = first; k < words; ++k, ++address) {
      style.CollectLabel(address, RecordWord(record, k));
      has_word[static_cast<size_t>(address)] = true;
      if (address == reader.AddressWords() - 1) return WordsPastTop(i, reader.AddressWords());
    }
  }
  return Status::Ok();
}

// Makes the label list from the sorted targets, which it takes out of List2:
// each distinct name once, the last of a row of equal ones.
void BuildLabelList(SharedState& state) {
  std::vector<std::string> targets = state.List2.TakeItems();
  for (size_t k = 0; k < targets.size(); ++k) {
    if (k + 1 == targets.size() || targets[k] != targets[k + 1]) {
      state.List3.Add(std::move(targets[k]));
    }
  }
}

// The queue of labels to place, refilled from the label list while the
// window gets to repaint.
void BuildLabelQueue(SharedState& state, EventLoopYield& yield) {
  state.List2.Clear();
  yield.YieldOnce();
  for (int k = 0; k < state.List3.Count(); ++k) {
    state.List2.Add(state.List3.Item(k));
    yield.YieldOnce();
  }
}

struct PendingLabels {
  std::vector<std::string> names;  // the queue, ascending
  std::vector<bool> placed;        // per name
  std::vector<int> name_at;        // per word address: index into names, or -1

  int NameAt(int address) const {
    return static_cast<size_t>(address) < name_at.size() ? name_at[static_cast<size_t>(address)]
                                                         : -1;
  }
};

// Defines, right after the header, every queued label that no word line will
// carry, and indexes the others by their address.
PendingLabels PrepareLabels(SharedState& state, const std::vector<bool>& has_word) {
  PendingLabels labels;
  labels.names = state.List2.TakeItems();
  labels.placed.assign(labels.names.size(), false);
  std::set<std::string_view> defined;
  for (size_t k = 0; k < labels.names.size(); ++k) {
    const std::string& name = labels.names[k];
    const std::optional<int> address = LabelAddress(name, static_cast<int>(has_word.size()));
    if (address && has_word[static_cast<size_t>(*address)]) {
      const auto at = static_cast<size_t>(*address);
      if (at >= labels.name_at.size()) labels.name_at.resize(at + 1, -1);
      if (labels.name_at[at] < 0) labels.name_at[at] = static_cast<int>(k);
      continue;
    }
    // The queue holds a name twice only when it differs from its neighbour
    // by case alone (digits written in lower case); it is defined once.
    if (defined.insert(name).second) state.List1.Add(EquLine(name, LabelValue(name)));
  }
  return labels;
}

// Leaves in List2 the labels that no word line carries.
void KeepUnplacedLabels(SharedState& state, PendingLabels& labels) {
  state.List2.Clear();
  for (size_t k = 0; k < labels.names.size(); ++k) {
    if (!labels.placed[k]) state.List2.Add(std::move(labels.names[k]));
  }
}

// Second sweep: one line per word, ORG lines where a word does not follow
// the one before it, the end line.
template <typename Words>
Status WriteListing(SharedState& state, Words& style, PendingLabels& labels) {
  state.PassNumber = 2;
  RecordReader reader(state);
  // Where the assembler puts the next word without an ORG line. Words are
  // compared, not byte counts: after a record with an odd byte count the
  // next record's first word follows its last word only when it says so.
  int next_address = 0;
  for (int i = 0; i <= state.HexLineCount; ++i) {
    const Result<StoredRecord> read = reader.Read(i);
    if (!read.ok()) return read.status();
    const auto [record, first] = *read;
    if (IsAddressRecord(record)) continue;
    if (HalfToEven(RecordByteCount(record) + 2 * first) >= reader.AddressWords()) {
      return WordsPastTop(i, reader.AddressWords());
    }
    if (IsEndRecord(record)) state.List1.Add(EndLine());

    const int words = RecordWordCount(record);
    for (int k = 0, address = first; k < words; ++k, ++address) {
      if (address != next_address) {
        state.List1.Add("");
        state.List1.Add(style.Org(address));
      }
      const std::string word = RecordWord(record, k);
      std::string_view label;
      const int name = labels.NameAt(address);
      if (name >= 0 && !labels.placed[static_cast<size_t>(name)]) {
        labels.placed[static_cast<size_t>(name)] = true;
        label = labels.names[static_cast<size_t>(name)];
      }
      const std::string instruction = style.Text(address, word, !label.empty());
      state.List1.Add(WordLine(address, word, label, instruction));
      if (address == reader.AddressWords() - 1) return WordsPastTop(i, reader.AddressWords());
      next_address = style.OrgAfter(address) ? -1 : address + 1;
    }
  }
  return Status::Ok();
}

// The pass in the style of `style`, after the header.
template <typename Words>
Status RunSweeps(SharedState& state, Words style, EventLoopYield& yield) {
  std::vector<bool> has_word(static_cast<size_t>(RecordReader(state).AddressWords()), false);
  int line_count = state.List1.Count();
  if (Status collected = CollectTargets(state, style, has_word, line_count); !collected.ok()) {
    return collected;
  }
  BuildLabelList(state);
  BuildLabelQueue(state, yield);
  state.List1.Reserve(line_count + state.List3.Count());

  PendingLabels labels = PrepareLabels(state, has_word);
  Status written = WriteListing(state, style, labels);
  KeepUnplacedLabels(state, labels);
  return written;
}

}  // namespace

std::optional<SymbolicWords> SymbolicStyle(const SharedState& state) {
  if (PassStyle(state) != ListingStyle::kSymbolic) return std::nullopt;
  return std::optional<SymbolicWords>(std::in_place, BuildProgramImage(state),
                                      ChosenProcessor(state));
}

std::string PassFailedText(const Status& pass) {
  return std::string(kPassFailedMessage) + " (" + pass.message() + ")";
}

Status Assembler(SharedState& state, EventLoopYield& yield, Clock& clock) {
  state.List1.Clear();
  state.List3.Clear();
  const std::optional<SymbolicWords> words = SymbolicStyle(state);
  ListingHeader header = [&] {
    if (!words) return ClassicHeader(clock.DateText(), clock.TimeText());
    const SourceDirectives directives = SymbolicDirectives(words->processor(), words->Wide());
    return SymbolicHeader(clock.DateText(), clock.TimeText(), directives.errorlevel,
                          directives.list, directives.include);
  }();
  for (std::string& line : header) state.List1.Add(std::move(line));

  if (state.HexFileTooBig) return Status::Failure(std::string(kFileTooBig));

  if (words) return RunSweeps(state, SymbolicStyleWords(state, *words), yield);
  return RunSweeps(state, ClassicWords(state), yield);
}

}  // namespace tessarin
