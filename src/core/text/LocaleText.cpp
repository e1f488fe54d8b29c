#include "text/LocaleText.h"

#include "text/QtText.h"

namespace quill {

LocaleText::LocaleText() : LocaleText(QLocale::system()) {}

LocaleText::LocaleText(const QLocale& locale) : locale_(locale), collator_(locale) {
  collator_.setCaseSensitivity(Qt::CaseSensitive);
  collator_.setNumericMode(false);
  collator_.setIgnorePunctuation(false);
  QLocale::Language lang = locale.language();
  plainAsciiLower_ = lang != QLocale::Turkish && lang != QLocale::Azerbaijani;
}

int LocaleText::Compare(std::string_view a, std::string_view b) const {
  return collator_.compare(AnsiToQString(a), AnsiToQString(b));
}

QCollatorSortKey LocaleText::SortKey(std::string_view text) const { return collator_.sortKey(AnsiToQString(text)); }

std::string LocaleText::Lower(std::string_view text) const {
  if (plainAsciiLower_) {
    bool ascii = true;
    for (char c : text) {
      if (static_cast<unsigned char>(c) >= 0x80) {
        ascii = false;
        break;
      }
    }
    if (ascii) {
      std::string out(text);
      for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      }
      return out;
    }
  }
  return QStringToAnsi(locale_.toLower(AnsiToQString(text)));
}

}  // namespace quill
