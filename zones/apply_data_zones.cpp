#include "zones/apply_data_zones.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "decode/decoder.h"
#include "pass/assembler.h"
#include "pass/listing_line.h"
#include "ui/text_slice.h"
#include "zones/zone_list.h"
#include "zones/zone_text.h"

namespace tessarin {
namespace {

// Brings every DW line of an earlier run back to one word line per word, as
// the disassembly pass writes them, so that the zones can be applied afresh.
// The first word keeps the DW line's label field as it stands: a label the
// user removed stays removed. The words are written in the listing's style;
// the decoder's state is left as it was found.
void ExpandDwLines(SharedState& state) {
  const std::vector<std::string>& items = state.List1.Items();
  bool any = false;
  for (size_t i = kHeaderLineCount; i < items.size() && !any; ++i)
    any = ListingLine(items[i]).IsDw();
  if (!any) return;
  std::vector<std::string> lines = state.List1.TakeItems();
  const std::optional<SymbolicWords> symbolic = SymbolicStyle(state);

  const int16_t saved_address = state.CurrentAddress;
  const uint8_t saved_pass = state.PassNumber;
  std::string saved_warning = std::move(state.NameWarning);

  state.PassNumber = 2;
  for (size_t i = 0; i < lines.size(); ++i) {
    const ListingLine line(lines[i]);
    const std::vector<std::string> words = line.Kind(static_cast<int>(i)) == LineKind::kDw
                                               ? line.DwWords()
                                               : std::vector<std::string>();
    if (words.empty()) {
      state.List1.Add(std::move(lines[i]));
      continue;
    }
    const int first_address = line.Address();
    const std::string first_label(line.LabelField());
    for (size_t k = 0; k < words.size(); ++k) {
      const int address = first_address + static_cast<int>(k);
      state.CurrentAddress = static_cast<int16_t>(address);
      const std::string instruction =
          symbolic ? symbolic->Text(address, words[k], k == 0 && line.HasLabel())
                   : DecodeWord(words[k], state);
      state.List1.Add(WordLine(address, words[k], k == 0 ? first_label : "", instruction));
    }
  }

  state.CurrentAddress = saved_address;
  state.PassNumber = saved_pass;
  state.NameWarning = std::move(saved_warning);
}

// The word address of every line of a listing, for the word lines (after
// the header, with a word address); nothing for the other lines.
std::vector<std::optional<int>> LineAddresses(const std::vector<std::string>& lines) {
  std::vector<std::optional<int>> addresses(lines.size());
  for (size_t i = kHeaderLineCount; i < lines.size(); ++i) {
    addresses[i] = ReadFourUpperHexDigits(ListingLine(lines[i]).AddressField());
  }
  return addresses;
}

// The word lines of a listing by address, for finding the first one with a
// given address from a given line on without a scan. A counting sort over
// the 65,536 addresses: building it costs one walk over the listing.
class WordLineIndex {
 public:
  // `addresses` holds the word address of each line, nothing for a line
  // that is no word line.
  explicit WordLineIndex(const std::vector<std::optional<int>>& addresses)
      : begin_(kAddresses + 1, 0) {
    for (const std::optional<int>& address : addresses) {
      if (address) ++begin_[static_cast<size_t>(*address) + 1];
    }
    for (size_t a = 1; a <= kAddresses; ++a) begin_[a] += begin_[a - 1];
    lines_.resize(static_cast<size_t>(begin_[kAddresses]));
    std::vector<int> next(begin_.begin(), begin_.end() - 1);
    for (size_t i = 0; i < addresses.size(); ++i) {
      if (!addresses[i]) continue;
      const auto place = static_cast<size_t>(next[static_cast<size_t>(*addresses[i])]++);
      lines_[place] = static_cast<int>(i);
    }
  }

  // The first word line at or after line `from` whose address is `address`.
  std::optional<int> Find(std::string_view address, int from) const {
    const std::optional<int> value = ReadFourUpperHexDigits(address);
    if (!value) return std::nullopt;
    const auto first = lines_.begin() + begin_[static_cast<size_t>(*value)];
    const auto last = lines_.begin() + begin_[static_cast<size_t>(*value) + 1];
    const auto found = std::lower_bound(first, last, from);
    if (found == last) return std::nullopt;
    return *found;
  }

 private:
  static constexpr size_t kAddresses = 0x10000;
  std::vector<int> begin_;  // where the lines of each address start in `lines_`
  std::vector<int> lines_;  // line indices, grouped by address, in listing order
};

// The zones that apply, as line ranges by first line, and those that do not.
struct ZonePlan {
  std::map<int, int> ranges;    // first line -> last line, never overlapping
  std::vector<size_t> applied;  // the zones that apply, by index
  std::vector<UnappliedZone> unapplied;
};

// Plans the zones over a listing whose lines have the word addresses
// `addresses` (see `LineAddresses`).
ZonePlan PlanZones(const std::vector<std::optional<int>>& addresses,
                   const std::vector<std::string>& zones) {
  const WordLineIndex index(addresses);
  ZonePlan plan;
  for (size_t k = 0; k < zones.size(); ++k) {
    const std::string& zone = zones[k];
    const std::optional<int> first = index.Find(ZoneStart(zone), 0);
    if (!first) {
      plan.unapplied.push_back({zone, ZoneFault::kStartNotFound});
      continue;
    }
    const std::optional<int> last = index.Find(ZoneEnd(zone), *first);
    if (!last) {
      plan.unapplied.push_back({zone, ZoneFault::kEndNotFound});
      continue;
    }
    // The ranges do not overlap one another, so only the last one that
    // starts at or before this zone's last line can meet it.
    auto after = plan.ranges.upper_bound(*last);
    if (after != plan.ranges.begin() && std::prev(after)->second >= *first) {
      plan.unapplied.push_back({zone, ZoneFault::kOverlap});
      continue;
    }
    plan.ranges.emplace_hint(after, *first, *last);
    plan.applied.push_back(k);
  }
  return plan;
}

// Appends lines `first` to `last` of a zone to `rebuilt`, the word lines
// gathered into DW lines. A label starts a new DW line, so that no label
// inside a zone is lost, and so does a full one. Lines without a word go on
// as they stand: the empty line and the ORG line of every gap inside the
// zone, and the end line of a file that has records after its end record.
void RewriteZone(std::vector<std::string>& lines, int first, int last, TextList& rebuilt) {
  std::optional<DwText> dw;
  for (int i = first; i <= last; ++i) {
    std::string& line = lines[static_cast<size_t>(i)];
    const ListingLine fields(line);
    if (!fields.HasWordAddress()) {
      if (dw) rebuilt.Add(std::move(*dw).Finish());
      dw.reset();
      rebuilt.Add(std::move(line));
    } else if (!dw || !fields.LabelFieldBlank() || dw->WordCount() == kMaxDwWords) {
      if (dw) rebuilt.Add(std::move(*dw).Finish());
      dw.emplace(line);
    } else {
      dw->AddWord(line);
    }
  }
  if (dw) rebuilt.Add(std::move(*dw).Finish());
}

}  // namespace

std::vector<UnappliedZone> ApplyDataZones(SharedState& state) {
  ExpandDwLines(state);
  ZonePlan plan = PlanZones(LineAddresses(state.List1.Items()), state.List4.Items());
  if (plan.ranges.empty()) return std::move(plan.unapplied);

  // The lines move from the listing to List5, the new listing, and back.
  std::vector<std::string> lines = state.List1.TakeItems();
  TextList& rebuilt = state.List5;
  rebuilt.Clear();
  rebuilt.Reserve(static_cast<int>(lines.size()));
  int next = 0;
  const auto move_lines_before = [&](int end) {
    for (; next < end; ++next) rebuilt.Add(std::move(lines[static_cast<size_t>(next)]));
  };
  for (const auto& [first, last] : plan.ranges) {
    move_lines_before(first);
    RewriteZone(lines, first, last, rebuilt);
    next = last + 1;
  }
  move_lines_before(static_cast<int>(lines.size()));
  state.List1.TakeFrom(rebuilt);
  return std::move(plan.unapplied);
}

std::vector<int> ListedWordAddresses(const TextList& listing) {
  std::vector<int> listed;
  const std::vector<std::string>& lines = listing.Items();
  for (size_t i = kHeaderLineCount; i < lines.size(); ++i) {
    const ListingLine line(lines[i]);
    const std::optional<int> address = ReadFourUpperHexDigits(line.AddressField());
    if (!address) continue;
    const size_t words = line.IsDw() ? std::max<size_t>(line.DwWords().size(), 1) : 1;
    for (size_t k = 0; k < words; ++k) listed.push_back(*address + static_cast<int>(k));
  }
  return listed;
}

std::vector<std::string> ZonesThatApply(const std::vector<int>& listed,
                                        const std::vector<std::string>& zones) {
  std::vector<std::optional<int>> addresses(listed.begin(), listed.end());
  std::vector<std::string> applied;
  for (size_t k : PlanZones(addresses, zones).applied) applied.push_back(zones[k]);
  return applied;
}

}  // namespace tessarin
