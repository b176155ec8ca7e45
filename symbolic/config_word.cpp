#include "symbolic/config_word.h"

#include <span>

#include "ui/text_slice.h"

namespace tessarin {
namespace {

std::string HexWord(uint16_t word) { return "0x" + FourHexDigits(word); }

// The settings of configuration word `index` that `word` holds, field by
// field ("?" where none matches), and whether ANDing them gives `word` back.
// Without `defaults`, the fields left at their erased value (all ones) are
// left out, as people write them: a 14-bit setting among 16-bit ones (the
// enhanced core's _DEBUG_OFF) would clear the top bits of the word.
struct Settings {
  std::string text;
  bool exact = false;
};

Settings SettingsOf(uint16_t word, int index, const Processor& processor, bool defaults) {
  Settings settings;
  unsigned anded = 0xFFFF;
  bool every_field = true;
  int fields = 0;
  const std::span<const ConfigRow> rows = processor.config;
  for (size_t k = 0; k < rows.size();) {
    const ConfigRow& field = rows[k];
    const ConfigRow* chosen = nullptr;
    for (; k < rows.size() && rows[k].word == field.word && rows[k].mask == field.mask; ++k) {
      if (chosen == nullptr && (word & field.mask) == (rows[k].value & field.mask)) {
        chosen = &rows[k];
      }
    }
    if (field.word != index) continue;
    if (!defaults && chosen != nullptr && (chosen->value & field.mask) == field.mask) continue;
    if (fields++ > 0) settings.text += " & ";
    if (chosen == nullptr) {
      settings.text += '?';
      every_field = false;
    } else {
      settings.text.append(NameText(chosen->name));
      anded &= chosen->value;
    }
  }
  settings.exact = fields > 0 && every_field && anded == word;
  return settings;
}

}  // namespace

std::string ConfigDirective(uint16_t word, int index, const Processor& processor) {
  std::string out = "__CONFIG\t";
  if (const std::string_view name = ConfigurationName(processor, index); !name.empty()) {
    out.append(name).append(", ");
  }
  const Settings settings = SettingsOf(word, index, processor, true);
  if (settings.exact) return out + settings.text + "\t; " + HexWord(word);
  if (const Settings changed = SettingsOf(word, index, processor, false); changed.exact) {
    return out + changed.text + "\t; " + HexWord(word);
  }
  out += HexWord(word);
  if (!settings.text.empty()) out += "\t; " + settings.text;
  return out;
}

}  // namespace tessarin
