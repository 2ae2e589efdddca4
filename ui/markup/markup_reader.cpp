#include "ui/markup/markup_reader.h"

#include "common/base/strings.h"

namespace SkinUI {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsNameStart(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || u >= 0x80;
}
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}

  MarkupResult Run() {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    if (!SkipMisc()) return Fail(kErrExpectedStartTag);
    if (pos_ >= s_.size() || s_[pos_] != '<') return Fail(kErrExpectedStartTag);
    MarkupNode root;
    if (!ReadElement(root)) return Fail(error_);
    MarkupResult result;
    result.root = std::move(root);
    return result;
  }

 private:
  MarkupResult Fail(const char* message) {
    MarkupResult result;
    result.error = message;
    result.line = 1;
    for (size_t i = 0; i < pos_ && i < s_.size(); ++i) result.line += s_[i] == '\n';
    return result;
  }

  bool Error(const char* message) {
    error_ = message;
    return false;
  }

  bool StartsWith(std::string_view what) const { return s_.substr(pos_, what.size()) == what; }

  // Skips to just after `terminator`; false when it never comes.
  bool SkipPast(std::string_view terminator) {
    size_t end = s_.find(terminator, pos_);
    if (end == std::string_view::npos) {
      pos_ = s_.size();
      return false;
    }
    pos_ = end + terminator.size();
    return true;
  }

  void SkipSpace() {
    while (pos_ < s_.size() && IsSpace(s_[pos_])) ++pos_;
  }

  // Whitespace, XML declarations/processing instructions, comments and a
  // doctype before the root element.
  bool SkipMisc() {
    for (;;) {
      SkipSpace();
      if (StartsWith("<?")) {
        if (!SkipPast("?>")) return false;
      } else if (StartsWith("<!--")) {
        if (!SkipPast("-->")) return false;
      } else if (StartsWith("<!")) {
        if (!SkipPast(">")) return false;
      } else {
        return true;
      }
    }
  }

  bool ReadName(std::string_view& name) {
    size_t start = pos_;
    if (pos_ >= s_.size() || !IsNameStart(s_[pos_])) return false;
    while (pos_ < s_.size() && IsNameChar(s_[pos_])) ++pos_;
    name = s_.substr(start, pos_ - start);
    return true;
  }

  // Reads "<name attrs>" or "<name attrs/>" at pos_ (which is at '<').
  // Returns false with error_ set; `closed` tells an empty-element tag.
  bool ReadStartTag(MarkupNode& node, bool& closed) {
    ++pos_;  // '<'
    std::string_view name;
    if (!ReadName(name)) return Error(kErrElementName);
    node.name = base::Utf8ToWide(name);
    for (;;) {
      SkipSpace();
      if (pos_ >= s_.size()) return Error(kErrStartTagClosing);
      char c = s_[pos_];
      if (c == '/') {
        ++pos_;
        if (pos_ >= s_.size() || s_[pos_] != '>') return Error(kErrStartTagClosing);
        ++pos_;
        closed = true;
        return true;
      }
      if (c == '>') {
        ++pos_;
        closed = false;
        return true;
      }
      std::string_view attrName;
      if (!ReadName(attrName)) return Error(kErrAttributes);
      SkipSpace();
      if (pos_ >= s_.size() || s_[pos_] != '=') return Error(kErrAttributes);
      ++pos_;
      SkipSpace();
      if (pos_ >= s_.size() || (s_[pos_] != '"' && s_[pos_] != '\'')) return Error(kErrAttributeValue);
      char quote = s_[pos_++];
      size_t end = s_.find(quote, pos_);
      if (end == std::string_view::npos) {
        pos_ = s_.size();
        return Error(kErrAttributeString);
      }
      node.attributes.emplace_back(base::Utf8ToWide(attrName),
                                   base::Utf8ToWide(DecodeEntities(s_.substr(pos_, end - pos_))));
      pos_ = end + 1;
    }
  }

  // Reads the element at pos_ with all its content, without recursion: open
  // elements are kept on an explicit stack.
  bool ReadElement(MarkupNode& root) {
    bool closed = false;
    if (!ReadStartTag(root, closed)) return false;
    if (closed) return true;
    std::vector<MarkupNode*> open{&root};
    while (!open.empty()) {
      size_t lt = s_.find('<', pos_);
      if (lt == std::string_view::npos) {
        pos_ = s_.size();
        return Error(kErrEndTagStart);
      }
      pos_ = lt;
      if (StartsWith("<!--")) {
        if (!SkipPast("-->")) return Error(kErrEndTagStart);
      } else if (StartsWith("<![CDATA[")) {
        if (!SkipPast("]]>")) return Error(kErrEndTagStart);
      } else if (StartsWith("<?")) {
        if (!SkipPast("?>")) return Error(kErrEndTagStart);
      } else if (StartsWith("</")) {
        pos_ += 2;
        std::string_view name;
        if (!ReadName(name)) return Error(kErrUnmatchedClosing);
        if (base::Utf8ToWide(name) != open.back()->name) return Error(kErrUnmatchedClosing);
        SkipSpace();
        if (pos_ >= s_.size() || s_[pos_] != '>') return Error(kErrUnmatchedClosing);
        ++pos_;
        open.pop_back();
      } else {
        MarkupNode& child = open.back()->children.emplace_back();
        if (!ReadStartTag(child, closed)) return false;
        if (!closed) {
          if (open.size() >= static_cast<size_t>(kMaxMarkupDepth)) return Error(kErrTooDeep);
          open.push_back(&child);
        }
      }
    }
    return true;
  }

  std::string_view s_;
  size_t pos_ = 0;
  const char* error_ = "";
};

}  // namespace

const std::wstring* MarkupNode::Attribute(std::wstring_view key) const {
  for (const auto& [name, value] : attributes) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::string DecodeEntities(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '&') {
      bool decoded = false;
      for (const auto& [entity, ch] : kEntities) {
        if (text.substr(i, entity.size()) == entity) {
          out.push_back(ch);
          i += entity.size();
          decoded = true;
          break;
        }
      }
      if (decoded) continue;
    }
    out.push_back(text[i++]);
  }
  return out;
}

MarkupResult ReadMarkup(std::string_view utf8) { return Reader(utf8).Run(); }

}  // namespace SkinUI
