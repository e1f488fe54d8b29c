// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/CacheHtml.h"

#include <gumbo.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <vector>

namespace quill {
namespace {

// A fragment with more start tags than this is shown as text: the parser's
// time grows with the square of the nesting depth.
constexpr std::size_t kMostTagsPerFragment = 8000;
// Fragments with no more tags than this are parsed whatever the page's
// allowance (CacheHtmlCleaner::tagsLeft_) says.
constexpr std::size_t kFreeTags = 64;
// Elements nested deeper than this are written without their tags.
constexpr int kMostDepth = 200;
// The parser's memory for one fragment: a bound on the tree that the
// formatting-element rules can multiply out of a small input.
constexpr std::size_t kArenaBase = 4u << 20;
constexpr std::size_t kArenaPerByte = 64;

// ---- the parser's memory ----
//
// Every block the parser asks for is counted and chained, so that a parse
// that outgrows its budget can be abandoned at once: the allocator jumps back
// to ParseWithin and the chain is freed. Only C frames of the parser lie
// between the two, so no destructor is skipped.

struct alignas(alignof(std::max_align_t)) BlockHeader {
  BlockHeader* prev;
  BlockHeader* next;
  std::size_t size;
};

struct Arena {
  std::size_t used = 0;
  std::size_t limit = 0;
  BlockHeader* head = nullptr;
  std::jmp_buf overBudget;

  ~Arena() {
    while (head) {
      BlockHeader* next = head->next;
      std::free(head);
      head = next;
    }
  }
};

void* ArenaAllocate(void* userdata, std::size_t size) {
  auto* arena = static_cast<Arena*>(userdata);
  if (size > arena->limit - arena->used) std::longjmp(arena->overBudget, 1);
  auto* block = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (!block) std::longjmp(arena->overBudget, 1);
  block->prev = nullptr;
  block->next = arena->head;
  block->size = size;
  if (arena->head) arena->head->prev = block;
  arena->head = block;
  arena->used += size;
  return block + 1;
}

void ArenaFree(void* userdata, void* pointer) {
  if (!pointer) return;
  auto* arena = static_cast<Arena*>(userdata);
  BlockHeader* block = static_cast<BlockHeader*>(pointer) - 1;
  if (block->prev) {
    block->prev->next = block->next;
  } else {
    arena->head = block->next;
  }
  if (block->next) block->next->prev = block->prev;
  arena->used -= block->size;
  std::free(block);
}

// Nothing here may need destruction: a jump out of the parser lands in it.
GumboOutput* ParseWithin(Arena& arena, const GumboOptions& options, std::string_view html) {
  if (setjmp(arena.overBudget) != 0) return nullptr;
  return gumbo_parse_with_options(&options, html.data(), html.size());
}

// ---- what is kept ----

enum class Treatment { kKeep, kUnwrap, kDrop };

Treatment TreatmentOf(const GumboElement& element) {
  if (element.tag_namespace != GUMBO_NAMESPACE_HTML) return Treatment::kDrop;
  switch (element.tag) {
    case GUMBO_TAG_P:
    case GUMBO_TAG_BR:
    case GUMBO_TAG_B:
    case GUMBO_TAG_I:
    case GUMBO_TAG_U:
    case GUMBO_TAG_S:
    case GUMBO_TAG_STRIKE:
    case GUMBO_TAG_EM:
    case GUMBO_TAG_STRONG:
    case GUMBO_TAG_SMALL:
    case GUMBO_TAG_BIG:
    case GUMBO_TAG_SUB:
    case GUMBO_TAG_SUP:
    case GUMBO_TAG_TT:
    case GUMBO_TAG_CODE:
    case GUMBO_TAG_CITE:
    case GUMBO_TAG_SPAN:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_CENTER:
    case GUMBO_TAG_FONT:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_HR:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_CAPTION:
    case GUMBO_TAG_COLGROUP:
    case GUMBO_TAG_COL:
    case GUMBO_TAG_THEAD:
    case GUMBO_TAG_TBODY:
    case GUMBO_TAG_TFOOT:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_TD:
    case GUMBO_TAG_TH:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_A:
    case GUMBO_TAG_IMG:
      return Treatment::kKeep;
    case GUMBO_TAG_HEAD:
    case GUMBO_TAG_TITLE:
    case GUMBO_TAG_BASE:
    case GUMBO_TAG_LINK:
    case GUMBO_TAG_META:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_FRAME:
    case GUMBO_TAG_FRAMESET:
    case GUMBO_TAG_NOFRAMES:
    case GUMBO_TAG_OBJECT:
    case GUMBO_TAG_EMBED:
    case GUMBO_TAG_APPLET:
    case GUMBO_TAG_PARAM:
    case GUMBO_TAG_NOEMBED:
    case GUMBO_TAG_FORM:
    case GUMBO_TAG_INPUT:
    case GUMBO_TAG_BUTTON:
    case GUMBO_TAG_SELECT:
    case GUMBO_TAG_OPTION:
    case GUMBO_TAG_OPTGROUP:
    case GUMBO_TAG_DATALIST:
    case GUMBO_TAG_TEXTAREA:
    case GUMBO_TAG_KEYGEN:
    case GUMBO_TAG_ISINDEX:
    case GUMBO_TAG_SVG:
    case GUMBO_TAG_MATH:
    case GUMBO_TAG_VIDEO:
    case GUMBO_TAG_AUDIO:
    case GUMBO_TAG_SOURCE:
    case GUMBO_TAG_TRACK:
    case GUMBO_TAG_BGSOUND:
    case GUMBO_TAG_CANVAS:
    case GUMBO_TAG_MAP:
    case GUMBO_TAG_AREA:
    case GUMBO_TAG_XMP:
    case GUMBO_TAG_PLAINTEXT:
    case GUMBO_TAG_LISTING:
      return Treatment::kDrop;
    default:
      return Treatment::kUnwrap;  // unknown and harmless tags: their text stays
  }
}

bool IsVoid(GumboTag tag) {
  return tag == GUMBO_TAG_BR || tag == GUMBO_TAG_IMG || tag == GUMBO_TAG_HR || tag == GUMBO_TAG_COL;
}

// Attributes that neither fetch nor run anything; href, src and style are
// looked at separately.
bool IsPlainAttribute(std::string_view name) {
  static constexpr std::string_view kNames[] = {
      "align", "alt",     "bgcolor", "border", "cellpadding", "cellspacing", "color",  "colspan", "dir",
      "face",  "height",  "hspace",  "lang",   "noshade",     "nowrap",      "size",   "rowspan", "span",
      "start", "summary", "title",   "type",   "valign",      "value",       "vspace", "width"};
  return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != prefix[i]) return false;
  }
  return true;
}

// A URL as a browser reads it: blanks and control characters around it
// dropped, tabs and line breaks inside it ignored.
std::string NormalizedUrl(std::string_view value) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!value.empty() && blank(value.front())) value.remove_prefix(1);
  while (!value.empty() && blank(value.back())) value.remove_suffix(1);
  std::string url;
  for (char c : value) {
    if (c != '\t' && c != '\n' && c != '\r') url += c;
  }
  return url;
}

bool IsWebUrl(std::string_view url) {
  return (StartsWithIgnoreCase(url, "http://") && url.size() > 7) ||
         (StartsWithIgnoreCase(url, "https://") && url.size() > 8);
}

// A file beside the page: no scheme, and not "//host" (a network path).
bool IsLocalReference(std::string_view url) {
  if (url.empty()) return false;
  auto slash = [](char c) { return c == '/' || c == '\\'; };
  if (url.size() >= 2 && slash(url[0]) && slash(url[1])) return false;
  const std::size_t colon = url.find(':');
  return colon == std::string_view::npos || url.find_first_of("/\\?#") < colon;
}

// CSS that could load something (url(), image-set(), @import, escapes that
// could spell them) is not kept.
bool IsQuietStyle(std::string_view style) {
  std::string lower;
  for (char c : style) lower += Lower(c);
  for (std::string_view word : {"url", "image", "src", "\\", "@", "expression", "binding", "behavior", "javascript"}) {
    if (lower.find(word) != std::string::npos) return false;
  }
  return true;
}

void AppendEscaped(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* entity = nullptr;
    switch (text[i]) {
      case '&':
        entity = "&amp;";
        break;
      case '<':
        entity = "&lt;";
        break;
      case '>':
        entity = "&gt;";
        break;
      case '"':
        entity = "&quot;";
        break;
      default:
        continue;
    }
    out.append(text.substr(start, i - start));
    out.append(entity);
    start = i + 1;
  }
  out.append(text.substr(start));
}

std::size_t EscapedSize(std::string_view text) {
  std::size_t size = text.size();
  for (char c : text) {
    if (c == '&' || c == '<' || c == '>') size += 3;
    if (c == '"') size += 5;
  }
  return size;
}

// The longest prefix of text, whole UTF-8 sequences only, whose escaped size
// is at most room.
std::string_view FittingPrefix(std::string_view text, std::size_t room) {
  std::size_t size = 0;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t add = EscapedSize(text.substr(end, 1));
    if (size + add > room) break;
    size += add;
    ++end;
  }
  while (end > 0 && end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

// The start tag of a kept element, or empty when the element is only worth
// its content (a link that goes nowhere we allow, an image without a source).
std::string StartTag(const GumboElement& element) {
  const char* name = gumbo_normalized_tagname(element.tag);
  std::string tag = std::string("<") + name;
  bool needed = element.tag != GUMBO_TAG_A && element.tag != GUMBO_TAG_IMG;
  for (unsigned i = 0; i < element.attributes.length; ++i) {
    const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
    const std::string_view attributeName = attribute->name;
    std::string value = attribute->value;
    if (attributeName == "href" || attributeName == "src") {
      const bool wanted = (attributeName == "href") == (element.tag == GUMBO_TAG_A);
      value = NormalizedUrl(value);
      if (!wanted || !(IsWebUrl(value) || (element.tag == GUMBO_TAG_IMG && IsLocalReference(value)))) continue;
      needed = true;
    } else if (attributeName == "style") {
      if (!IsQuietStyle(value)) continue;
    } else if (!IsPlainAttribute(attributeName)) {
      continue;
    }
    tag += ' ';
    tag += attributeName;
    tag += "=\"";
    AppendEscaped(tag, value);
    tag += '"';
  }
  if (!needed) return {};
  tag += '>';
  return tag;
}

// Writes the kept part of a parsed fragment, depth first without recursion,
// within a byte budget that counts the end tags still to come.
class FragmentWriter {
 public:
  FragmentWriter(std::size_t budget, bool textOnly) : budget_(budget), textOnly_(textOnly) {}

  std::string Write(const GumboNode* root) {
    stack_.push_back({root, 0, {}});
    while (!stack_.empty()) {
      Frame& frame = stack_.back();
      const GumboVector& children = frame.node->v.element.children;
      if (full_ || frame.next >= children.length) {
        if (!frame.endTag.empty()) {
          out_ += frame.endTag;
          pending_ -= frame.endTag.size();
          --depth_;
        }
        stack_.pop_back();
        continue;
      }
      const auto* child = static_cast<const GumboNode*>(children.data[frame.next++]);
      if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE) {
        AddText(child->v.text.text);
      } else if (child->type == GUMBO_NODE_ELEMENT) {
        AddElement(child);
      }
    }
    if (textOnly_ && !out_.empty() && out_.back() == ' ') out_.pop_back();
    return std::move(out_);
  }

 private:
  struct Frame {
    const GumboNode* node;
    unsigned next;
    std::string endTag;  // empty: the element's tags were not written
  };

  std::size_t Room() const {
    const std::size_t used = out_.size() + pending_;
    return used < budget_ ? budget_ - used : 0;
  }

  void AddText(std::string_view text) {
    if (textOnly_) {
      // White space run together, none at the start.
      std::string run;
      for (char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
        if (blank) {
          if (!spaced_) run += ' ';
          spaced_ = true;
        } else {
          run += c;
          spaced_ = false;
        }
      }
      Append(run);
      return;
    }
    Append(text);
  }

  void Append(std::string_view text) {
    const std::string_view fits = FittingPrefix(text, Room());
    AppendEscaped(out_, fits);
    if (fits.size() < text.size()) full_ = true;
  }

  void AddElement(const GumboNode* node) {
    const GumboElement& element = node->v.element;
    const Treatment treatment = TreatmentOf(element);
    if (treatment == Treatment::kDrop) return;
    if (textOnly_) {
      if (element.tag == GUMBO_TAG_BR) AddText(" ");
      stack_.push_back({node, 0, {}});
      return;
    }
    std::string start = treatment == Treatment::kKeep && depth_ < kMostDepth ? StartTag(element) : std::string();
    if (start.empty()) {
      stack_.push_back({node, 0, {}});
      return;
    }
    const bool isVoid = IsVoid(element.tag);
    std::string end = isVoid ? std::string() : "</" + std::string(gumbo_normalized_tagname(element.tag)) + ">";
    // The parser drops a line break right after <pre>; it is written back so
    // that a browser, which drops it too, keeps the text's own.
    if (element.tag == GUMBO_TAG_PRE && element.children.length > 0) {
      const auto* first = static_cast<const GumboNode*>(element.children.data[0]);
      if ((first->type == GUMBO_NODE_TEXT || first->type == GUMBO_NODE_WHITESPACE) && first->v.text.text[0] == '\n') {
        start += '\n';
      }
    }
    if (start.size() + end.size() > Room()) {
      full_ = true;
      return;
    }
    out_ += start;
    if (isVoid) return;
    pending_ += end.size();
    ++depth_;
    stack_.push_back({node, 0, std::move(end)});
  }

  std::size_t budget_;
  bool textOnly_;
  std::string out_;
  std::vector<Frame> stack_;
  std::size_t pending_ = 0;  // end tags still to write
  int depth_ = 0;
  bool full_ = false;
  bool spaced_ = true;
};

std::string EscapedWithin(std::string_view text, std::size_t budget) {
  std::string out;
  AppendEscaped(out, FittingPrefix(text, budget));
  return out;
}

}  // namespace

void AppendEscapedHtml(std::string& out, std::string_view text) { AppendEscaped(out, text); }

std::string EscapeHtmlText(std::string_view text) {
  std::string out;
  AppendEscaped(out, text);
  return out;
}

std::string CacheHtmlCleaner::Clean(std::string_view html) { return Process(html, false); }

std::string CacheHtmlCleaner::Text(std::string_view html) { return Process(html, true); }

std::string CacheHtmlCleaner::Process(std::string_view html, bool textOnly) {
  const std::size_t budget = kMostGrowth * html.size() + kSlack;
  const auto tags = static_cast<std::size_t>(std::count(html.begin(), html.end(), '<'));
  // Small fragments cost next to nothing whatever their shape; only the
  // large ones draw on the page's allowance.
  if (tags > kMostTagsPerFragment || (tags > kFreeTags && tags > tagsLeft_)) return EscapedWithin(html, budget);
  if (tags > kFreeTags) tagsLeft_ -= tags;

  Arena arena;
  arena.limit = kArenaBase + kArenaPerByte * html.size();
  GumboOptions options = kGumboDefaultOptions;
  options.allocator = &ArenaAllocate;
  options.deallocator = &ArenaFree;
  options.userdata = &arena;
  options.max_errors = 0;
  options.fragment_context = GUMBO_TAG_DIV;
  options.fragment_namespace = GUMBO_NAMESPACE_HTML;
  GumboOutput* output = ParseWithin(arena, options, html);
  if (!output) return EscapedWithin(html, budget);
  std::string out = FragmentWriter(budget, textOnly).Write(output->root);
  gumbo_destroy_output(&options, output);
  return out;
}

std::string CleanCacheHtml(std::string_view html) { return CacheHtmlCleaner().Clean(html); }

}  // namespace quill
