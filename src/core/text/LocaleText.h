#pragma once
// The user locale's text services for the list: case-sensitive collation
// (sort orders) and lower-casing (search and filter). The locale is handed in
// so tests do not depend on the machine; the default is the user's locale.
// Texts are memory text (see QtText.h); results of Lower are memory text too.
#include <QCollator>
#include <QLocale>
#include <string>
#include <string_view>

namespace quill {

class LocaleText {
 public:
  LocaleText();
  explicit LocaleText(const QLocale& locale);

  const QLocale& Locale() const { return locale_; }
  // Negative, zero or positive as a comes before, with or after b.
  int Compare(std::string_view a, std::string_view b) const;
  // Keys compare as Compare does; compute them once per sort.
  QCollatorSortKey SortKey(std::string_view text) const;
  std::string Lower(std::string_view text) const;

 private:
  QLocale locale_;
  QCollator collator_;
  // Plain ASCII lower-casing gives the locale's result for ASCII text except
  // where the locale maps I to a dotless i.
  bool plainAsciiLower_ = true;
};

}  // namespace quill
