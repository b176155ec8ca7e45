#include "zones/apply_data_zones.h"

#include <cstdint>
#include <string>
#include <vector>

#include "decode/decoder.h"
#include "pass/listing_line.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

// Brings every DW line of an earlier run back to one word line per word, as
// the disassembly pass writes them, so that the zones can be applied afresh.
// The first word keeps the DW line's label field as it stands: a label the
// user removed stays removed. The decoder's state is left as it was found.
void ExpandDwLines(SharedState& state) {
  const std::vector<std::string>& items = state.List1.Items();
  bool any = false;
  for (size_t i = kHeaderLineCount; i < items.size() && !any; ++i) any = ListingLine(items[i]).IsDw();
  if (!any) return;
  std::vector<std::string> lines = state.List1.TakeItems();

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
      const std::string instruction = DecodeWord(words[k], state);
      state.List1.Add(WordLine(address, words[k], k == 0 ? first_label : "", instruction));
    }
  }

  state.CurrentAddress = saved_address;
  state.PassNumber = saved_pass;
  state.NameWarning = std::move(saved_warning);
}

// The zone loop, from `first`, the line of `listing` whose address is the
// start of the zone at the head of the zone list. Gathers the zone's word
// lines into DW lines in the new listing; lines that hold no word move there
// as they are. Returns the index of the zone's last line, or the line count
// when the listing ends inside the zone.
int RewriteZone(SharedState& state, std::vector<std::string>& listing, int first) {
  TextList& rebuilt = state.List5;
  const int count = static_cast<int>(listing.size());
  const auto line_at = [&listing](int index) -> std::string& {
    return listing[static_cast<size_t>(index)];
  };
  const std::string zone = state.List4.Item(0);
  const std::string_view zone_end = ZoneEnd(zone);

  int i = first;
  int gathered_from = i;
  DwText dw(line_at(i));
  // The zone's end never came: the lines gathered since the last DW line
  // and every line after them go on unchanged, and the zone is not applied.
  const auto unfinished = [&] {
    for (int k = gathered_from; k < count; ++k) rebuilt.Add(std::move(line_at(k)));
    return count;
  };
  for (;;) {
    if (ListingLine(line_at(i)).AddressField() == zone_end) {
      rebuilt.Add(std::move(dw).Finish());
      state.List6.Add(zone);
      state.List4.Remove(0);
      return i;
    }
    ++i;
    if (i == count) return unfinished();
    const std::string& line = line_at(i);
    // A label starts a new DW line, so that no label inside a zone is lost;
    // so does a full one, and so does a line that holds no word.
    const ListingLine fields(line);
    if (!fields.LabelFieldBlank() || dw.WordCount() == kMaxDwWords || !fields.HasWordAddress()) {
      // Lines without a word go on as they stand: the empty line and the ORG
      // line of every gap inside the zone, however many follow each other,
      // and the end line of a file that has records after its end record.
      int next = i;
      while (next < count && !ListingLine(line_at(next)).HasWordAddress()) ++next;
      if (next == count) return unfinished();
      rebuilt.Add(std::move(dw).Finish());
      for (; i < next; ++i) rebuilt.Add(std::move(line_at(i)));
      dw = DwText(line_at(i));
      gathered_from = i;
      continue;
    }
    dw.AddWord(line);
  }
}

}  // namespace

void ApplyDataZones(SharedState& state) {
  ExpandDwLines(state);

  // The lines move from the listing to List5, the new listing, and back.
  std::vector<std::string> listing = state.List1.TakeItems();
  state.List5.Clear();
  state.List6.Clear();
  // Zones apply in the order of the zone list. The head zone is looked for
  // at every line; until its start is met, no zone behind it can apply.
  const int count = static_cast<int>(listing.size());
  for (int i = 0; i < count; ++i) {
    const std::string_view zone_start = ZoneStart(state.List4.Item(0));
    std::string& line = listing[static_cast<size_t>(i)];
    if (i < kHeaderLineCount || zone_start.empty() ||
        ListingLine(line).AddressField() != zone_start) {
      state.List5.Add(std::move(line));
      continue;
    }
    i = RewriteZone(state, listing, i);
  }

  // The applied zones stand in the zone list's order, so the sorted list
  // takes them as they are.
  state.List1.TakeFrom(state.List5);
  state.List4.TakeFrom(state.List6);
}

}  // namespace tessarin
