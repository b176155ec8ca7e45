#include "pass/assembler.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "decode/classic_targets.h"
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

// The word address that a label names, when its last four characters are
// exactly an address text as the listing writes it and the chip has it.
std::optional<int> LabelAddress(std::string_view label, int address_words) {
  const std::optional<uint16_t> address = ReadFourUpperHexDigits(MidFrom(label, 2));
  if (!address || *address >= address_words) return std::nullopt;
  return *address;
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
// holds every word address of its chip. `ForEachWord` hands each word that
// the listing writes for the record at store line `line` to
// `use(address, word)`, in order, stopping when `use` returns false.
class ClassicWords {
 public:
  explicit ClassicWords(SharedState& state) : state_(state) {}
  // Every word of every record, where the record puts it.
  template <typename Use>
  bool ForEachWord(int, std::string_view record, int address, Use&& use) const {
    const int words = RecordWordCount(record);
    for (int k = 0; k < words; ++k) {
      if (!use(address + k, RecordWord(record, k))) return false;
    }
    return true;
  }
  void NoteLeftOut(int, std::string_view, int) const {}
  // Keeps the label of a CALL or GOTO word, which decoding it would add to
  // List2.
  void CollectLabel(int address, std::string_view word) {
    state_.CurrentAddress = static_cast<int16_t>(address);
    if (const std::optional<ClassicLabel> target = FindClassicLabel(word, state_.CurrentAddress)) {
      targets_.Add(*target);
    }
  }
  // The distinct label names of the targets in the order of List2, where
  // they go.
  std::vector<std::string> TakeDistinctTargets() {
    return std::move(targets_).TakeDistinct(state_.List2);
  }
  // The word line: its columns and the decoded word, written after them. A
  // style that collects while it writes keeps the label of a CALL or GOTO.
  std::string Line(int address, std::string_view word, std::string_view label) {
    state_.CurrentAddress = static_cast<int16_t>(address);
    line_.Clear();
    line_ += WordColumns(address, word, label);
    const std::optional<ClassicLabel> target = DecodeWordInto(word, state_, line_);
    if (target && collect_while_writing_) targets_.Add(*target);
    return std::string(line_.View());
  }
  void CollectWhileWriting() { collect_while_writing_ = true; }
  std::string Org(int address) const { return OrgLine(address); }
  bool OrgAfter(int) const { return false; }

 private:
  SharedState& state_;
  ClassicTargets targets_;
  DecodedLine line_;
  bool collect_while_writing_ = false;
};

// The symbolic style: labels of the targets the flow gives, named source of
// the image a device programmer loads. A record word that the programmer
// does not load (another record loads its address later, or it comes at
// or after the end record) is left out, with a comment; the data EEPROM
// words are written together in address order where the first of them
// stands, since gpasm can place an ORG only in the first half of that area.
class SymbolicStyleWords {
 public:
  SymbolicStyleWords(SharedState& state, const SymbolicWords& words)
      : state_(state),
        words_(words),
        loaded_(LoadedWords(state, RecordReader(state).AddressWords())) {
    const AddressRange& eeprom = words.processor().eeprom;
    for (int address = eeprom.first; address <= eeprom.last; ++address) {
      const WordSource& source = loaded_[static_cast<size_t>(address)];
      if (source.line < 0) continue;
      if (eeprom_.empty() || source.line < loaded_[static_cast<size_t>(first_eeprom_)].line) {
        first_eeprom_ = address;
      }
      eeprom_.push_back(address);
    }
    while (end_line_ <= state.HexLineCount && !IsEndRecord(ReadSlot(state, end_line_).value_or("")))
      ++end_line_;
  }
  template <typename Use>
  bool ForEachWord(int line, std::string_view record, int address, Use&& use) const {
    const int words = RecordWordCount(record);
    for (int k = 0; k < words; ++k) {
      const int at = address + k;
      if (!Loads(line, k, at)) continue;
      if (!words_.processor().eeprom.Contains(at)) {
        if (!use(at, RecordWord(record, k))) return false;
        continue;
      }
      if (at != first_eeprom_) continue;
      for (int eeprom : eeprom_) {
        const WordSource& source = loaded_[static_cast<size_t>(eeprom)];
        if (!use(eeprom, RecordWord(ReadSlot(state_, source.line).value_or(""), source.index))) {
          return false;
        }
      }
    }
    return true;
  }
  // A comment line where a record's words are left out.
  void NoteLeftOut(int line, std::string_view record, int address) const {
    int first = -1;
    int last = -1;
    for (int k = 0; k < RecordWordCount(record); ++k) {
      if (Loads(line, k, address + k)) continue;
      if (first < 0) first = address + k;
      last = address + k;
    }
    if (first < 0) return;
    const std::string where = "line " + std::to_string(line + 1) + ": ";
    state_.List1.Add(CommentLine(
        line >= end_line_ ? where + "left out: a device programmer stops at the end record"
                          : where + AddressText(first) + "-" + AddressText(last) +
                                " left out: a later record loads these addresses again"));
  }
  void CollectLabel(int address, std::string_view word) {
    if (std::string label = words_.Label(address, word); !label.empty())
      state_.List2.Add(std::move(label));
  }
  std::vector<std::string> TakeDistinctTargets() { return state_.List2.TakeDistinctItems(); }
  std::string Line(int address, std::string_view word, std::string_view label) {
    // The text goes straight after the columns, room made for most texts.
    constexpr size_t kUsualText = 40;
    const WordLineColumns columns = WordColumns(address, word, label);
    std::string line;
    line.reserve(columns.size() + kUsualText);
    line.append(columns.data(), columns.size());
    words_.AppendText(line, address, word, !label.empty());
    return line;
  }
  std::string Org(int address) const {
    return OrgLine(SymbolicOrgAddress(address, words_.processor()),
                   SymbolicOrgWarning(address, words_.processor()));
  }
  // __CONFIG sets a configuration word without moving gpasm on: a word
  // after it needs an ORG line of its own.
  bool OrgAfter(int address) const { return IsConfigurationWord(words_.processor(), address); }

 private:
  bool Loads(int line, int index, int address) const {
    if (address >= std::ssize(loaded_)) return false;
    const WordSource& source = loaded_[static_cast<size_t>(address)];
    return source.line == line && source.index == index;
  }

  SharedState& state_;
  const SymbolicWords& words_;
  const std::vector<WordSource> loaded_;
  std::vector<int> eeprom_;  // the loaded EEPROM words' addresses, ascending
  int first_eeprom_ = -1;    // the one of them whose record comes first
  int end_line_ = 0;         // the store line of the end record
};

// First sweep: collects the branch target of every word (into List2, or kept
// by the style until it makes the label list) and notes which addresses hold
// a word.
template <typename Words>
PassStatus CollectTargets(SharedState& state, Words& style, std::vector<char>& has_word,
                          int& line_count) {
  state.PassNumber = 1;
  const TextList::AdditionRun targets(state.List2);
  RecordReader reader(state);
  return ForEachRecord(
      state, reader, OnUnreadable::kStop, [&](int i, const StoredRecord& read) -> PassStatus {
        const auto [record, first] = read;
        line_count +=
            RecordWordCount(record) + 2;  // its words, perhaps an ORG line and the empty line
        const bool collected =
            style.ForEachWord(i, record, first, [&](int address, std::string_view word) {
              style.CollectLabel(address, word);
              has_word[static_cast<size_t>(address)] = 1;
              // A word after it would lie past the chip.
              return address != reader.AddressWords() - 1;
            });
        return collected ? PassStatus{} : LineFailure(i, PassFault::kBeyondChip);
      });
}

// The queue of labels to place, ascending: a copy of the label list. The
// window gets to repaint once, and once per label, as it always has while
// the queue filled.
std::vector<std::string> BuildLabelQueue(SharedState& state, EventLoopYield& yield) {
  state.List2.Clear();
  yield.YieldOnce();
  std::vector<std::string> queue = state.List3.Items();
  for (size_t k = 0; k < queue.size(); ++k) yield.YieldOnce();
  return queue;
}

struct PendingLabels {
  std::vector<std::string> names;      // the queue, ascending
  std::vector<bool> placed;            // per name
  std::vector<int> name_at;            // per word address: index into names, or -1
  std::vector<std::string> equ_lines;  // for the names no word line carries

  int NameAt(int address) const {
    return static_cast<size_t>(address) < name_at.size() ? name_at[static_cast<size_t>(address)]
                                                         : -1;
  }
};

// Defines every queued label that no word line will carry (the EQU lines
// that follow the header), and indexes the others by their address.
PendingLabels PrepareLabels(std::vector<std::string> queue, const std::vector<char>& has_word) {
  PendingLabels labels;
  labels.names = std::move(queue);
  labels.placed.assign(labels.names.size(), false);
  // Grown as far as the labels reach, in room made once.
  labels.name_at.reserve(has_word.size());
  std::set<std::string_view> defined;
  for (size_t k = 0; k < labels.names.size(); ++k) {
    const std::string& name = labels.names[k];
    const std::optional<int> address = LabelAddress(name, static_cast<int>(has_word.size()));
    if (address && has_word[static_cast<size_t>(*address)] != 0) {
      const auto at = static_cast<size_t>(*address);
      if (at >= labels.name_at.size()) {
        // In steps that double, as far as the chip reaches.
        labels.name_at.resize(
            std::min(std::max(at + 1, 2 * labels.name_at.size()), has_word.size()), -1);
      }
      if (labels.name_at[at] < 0) labels.name_at[at] = static_cast<int>(k);
      continue;
    }
    // The queue holds a name twice only when it differs from its neighbour
    // by case alone (digits written in lower case); it is defined once.
    if (defined.insert(name).second) labels.equ_lines.push_back(EquLine(name, LabelValue(name)));
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

// Whether the line store holds anything but blank lines.
bool HasAnyRecord(const SharedState& state) {
  for (int i = 0; i <= state.HexLineCount; ++i) {
    if (ReadSlot(state, i).value_or("").find_first_not_of(' ') != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

// Second sweep: one line per word, ORG lines where a word does not follow
// the one before it, the end line (at the end when the file has no end
// record). `on_word(address, word, index)` hears of each word line and its
// index in List1.
template <typename Words, typename OnWord>
PassStatus WriteListing(SharedState& state, Words& style, PendingLabels& labels, OnWord&& on_word) {
  state.PassNumber = 2;
  RecordReader reader(state);
  // Where the assembler puts the next word without an ORG line. Words are
  // compared, not byte counts: after a record with an odd byte count the
  // next record's first word follows its last word only when it says so.
  int next_address = 0;
  bool ended = false;
  const PassStatus walked = ForEachRecord(
      state, reader, OnUnreadable::kStop, [&](int i, const StoredRecord& read) -> PassStatus {
        const auto [record, first] = read;
        if (HalfToEven(RecordByteCount(record) + 2 * first) >= reader.AddressWords()) {
          return LineFailure(i, PassFault::kBeyondChip);
        }
        if (IsEndRecord(record)) {
          state.List1.Add(EndLine());
          ended = true;
        }
        style.NoteLeftOut(i, record, first);

        const bool written =
            style.ForEachWord(i, record, first, [&](int address, std::string_view word) {
              if (address != next_address) {
                state.List1.Add("");
                state.List1.Add(style.Org(address));
              }
              std::string_view label;
              const int name = labels.NameAt(address);
              if (name >= 0 && !labels.placed[static_cast<size_t>(name)]) {
                labels.placed[static_cast<size_t>(name)] = true;
                label = labels.names[static_cast<size_t>(name)];
              }
              state.List1.Add(style.Line(address, word, label));
              on_word(address, word, state.List1.Count() - 1);
              if (address == reader.AddressWords() - 1) return false;
              next_address = style.OrgAfter(address) ? -1 : address + 1;
              return true;
            });
        return written ? PassStatus{} : LineFailure(i, PassFault::kBeyondChip);
      });
  if (!walked.ok()) return walked;
  // gpasm refuses source without its end line; a file of blank lines alone
  // has no record to end.
  if (!ended && HasAnyRecord(state)) state.List1.Add(EndLine());
  return {};
}

// The pass in the style of `style`, after the header.
template <typename Words>
PassStatus RunSweeps(SharedState& state, Words style, EventLoopYield& yield) {
  // Per word address of the chip, whether a word is listed there (a byte
  // each: the first sweep sets one a word).
  std::vector<char> has_word(static_cast<size_t>(RecordReader(state).AddressWords()), 0);
  int line_count = state.List1.Count();
  if (PassStatus collected = CollectTargets(state, style, has_word, line_count); !collected.ok()) {
    return collected;
  }
  // The label list: each distinct target once.
  state.List3.Assign(style.TakeDistinctTargets());
  std::vector<std::string> queue = BuildLabelQueue(state, yield);
  state.List1.Reserve(line_count + state.List3.Count());

  PendingLabels labels = PrepareLabels(std::move(queue), has_word);
  for (std::string& line : labels.equ_lines) state.List1.Add(std::move(line));
  PassStatus written = WriteListing(state, style, labels, [](int, std::string_view, int) {});
  KeepUnplacedLabels(state, labels);
  return written;
}

// How many lines the listing of the line store has at most: each record's
// words, perhaps an ORG line and the empty line before it, the end line.
int ListingEstimate(const SharedState& state) {
  int lines = state.List1.Count() + 1;
  for (int i = 0; i <= state.HexLineCount; ++i) {
    lines += RecordWordCount(ReadSlot(state, i).value_or("")) + 2;
  }
  return lines;
}

// The classic style in one sweep, which lists what the two sweeps list. The
// classic text of a word does not depend on its label: each word line is
// written with its label field blank while its branch target is kept, and
// once every target is known, each label goes into the first line at its
// address and the EQU lines after the header. A file that the checks of
// either sweep stop is left, with the state as the pass found it, to the two
// sweeps, so that it fails as they fail.
PassStatus ListClassicInOneSweep(SharedState& state, EventLoopYield& yield) {
  const int header_lines = state.List1.Count();
  const int16_t current_address = state.CurrentAddress;
  const std::string name_warning = state.NameWarning;
  ClassicWords style(state);
  style.CollectWhileWriting();
  std::vector<char> has_word(static_cast<size_t>(RecordReader(state).AddressWords()), 0);
  std::vector<std::pair<int, int>> first_lines;  // each listed address and its first line
  const int estimate = ListingEstimate(state);
  state.List1.Reserve(estimate);
  first_lines.reserve(static_cast<size_t>(estimate));
  PendingLabels no_labels;
  const PassStatus written =
      WriteListing(state, style, no_labels, [&](int address, std::string_view, int line) {
        if (has_word[static_cast<size_t>(address)] != 0) return;
        has_word[static_cast<size_t>(address)] = 1;
        first_lines.emplace_back(address, line);
      });
  if (!written.ok()) {
    while (state.List1.Count() > header_lines) state.List1.Remove(state.List1.Count() - 1);
    state.CurrentAddress = current_address;
    state.NameWarning = name_warning;
    return RunSweeps(state, ClassicWords(state), yield);
  }
  // As after the first sweep: the label list, the queue, the EQU lines.
  state.List3.Assign(style.TakeDistinctTargets());
  std::vector<std::string> queue = BuildLabelQueue(state, yield);
  PendingLabels labels = PrepareLabels(std::move(queue), has_word);

  std::vector<std::string> lines = state.List1.TakeItems();
  for (const auto& [address, line] : first_lines) {
    const int name = labels.NameAt(address);
    if (name < 0 || labels.placed[static_cast<size_t>(name)]) continue;
    labels.placed[static_cast<size_t>(name)] = true;
    PutLabel(lines[static_cast<size_t>(line)], labels.names[static_cast<size_t>(name)]);
  }
  lines.insert(lines.begin() + header_lines, std::make_move_iterator(labels.equ_lines.begin()),
               std::make_move_iterator(labels.equ_lines.end()));
  state.List1.Assign(std::move(lines));
  KeepUnplacedLabels(state, labels);
  return {};
}

}  // namespace

std::optional<SymbolicWords> SymbolicStyle(const SharedState& state) {
  if (PassStyle(state) != ListingStyle::kSymbolic) return std::nullopt;
  return std::optional<SymbolicWords>(std::in_place, BuildProgramImage(state),
                                      ChosenProcessor(state));
}

PassStatus Assembler(SharedState& state, EventLoopYield& yield, Clock& clock) {
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

  if (state.HexFileTooBig) return PassFailure{PassFault::kFileTooBig, 0};

  if (words) return RunSweeps(state, SymbolicStyleWords(state, *words), yield);
  return ListClassicInOneSweep(state, yield);
}

}  // namespace tessarin
