#include "ui/core/FormDefinition.h"

#include <cstring>
#include <optional>
#include <utility>

#include "ui/core/AsciiText.h"
#include "ui/core/Collection.h"
#include "ui/core/Colors.h"
#include "ui/core/Component.h"
#include "ui/core/Exceptions.h"
#include "ui/core/Properties.h"
#include "ui/core/Streams.h"
#include "ui/core/TextConvert.h"

namespace ui {
namespace {

constexpr int kMaxDepth = 200;  // nested objects, lists and collections

// The value of a decimal or (base 16) hexadecimal digit; -1 for anything else.
int DigitValue(char d, int base) {
  if (d >= '0' && d <= '9') return d - '0';
  if (base == 16 && d >= 'a' && d <= 'f') return d - 'a' + 10;
  if (base == 16 && d >= 'A' && d <= 'F') return d - 'A' + 10;
  return -1;
}

struct NamedColor {
  const wchar_t* name;
  TColor value;
};
constexpr NamedColor kNamedColors[] = {
    {L"clNone", clNone}, {L"clDefault", clDefault}, {L"clScrollBar", clScrollBar},
    {L"clBackground", clBackground}, {L"clActiveCaption", clActiveCaption},
    {L"clInactiveCaption", clInactiveCaption}, {L"clMenu", clMenu}, {L"clWindow", clWindow},
    {L"clWindowFrame", clWindowFrame}, {L"clMenuText", clMenuText}, {L"clWindowText", clWindowText},
    {L"clCaptionText", clCaptionText}, {L"clActiveBorder", clActiveBorder},
    {L"clInactiveBorder", clInactiveBorder}, {L"clAppWorkSpace", clAppWorkSpace},
    {L"clHighlight", clHighlight}, {L"clHighlightText", clHighlightText}, {L"clBtnFace", clBtnFace},
    {L"clBtnShadow", clBtnShadow}, {L"clGrayText", clGrayText}, {L"clBtnText", clBtnText},
    {L"clInactiveCaptionText", clInactiveCaptionText}, {L"clBtnHighlight", clBtnHighlight},
    {L"cl3DDkShadow", cl3DDkShadow}, {L"cl3DLight", cl3DLight}, {L"clInfoText", clInfoText},
    {L"clInfoBk", clInfoBk}, {L"clBlack", clBlack}, {L"clMaroon", clMaroon}, {L"clGreen", clGreen},
    {L"clOlive", clOlive}, {L"clNavy", clNavy}, {L"clPurple", clPurple}, {L"clTeal", clTeal},
    {L"clGray", clGray}, {L"clSilver", clSilver}, {L"clRed", clRed}, {L"clLime", clLime},
    {L"clYellow", clYellow}, {L"clBlue", clBlue}, {L"clFuchsia", clFuchsia}, {L"clAqua", clAqua},
    {L"clWhite", clWhite},
};

std::optional<std::int32_t> IdentToInt(std::wstring_view ident) {
  for (const auto& c : kNamedColors)
    if (SameText(c.name, ident)) return c.value;
  return std::nullopt;
}

enum class Tok { End, Ident, Integer, String, Symbol };

struct Token {
  Tok kind = Tok::End;
  std::wstring text;  // Ident, String
  std::int64_t number = 0;  // Integer
  char symbol = 0;  // Symbol
  int line = 1;
};

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // a UTF-8 byte-order mark
    Advance();
  }

  const Token& Peek() const { return current_; }
  Token Next() {
    Token t = std::move(current_);
    Advance();
    return t;
  }
  [[noreturn]] void Fail(const std::wstring& message) const { FailAt(current_.line, message); }
  [[noreturn]] static void FailAt(int line, const std::wstring& message) {
    throw EReadError(L"line " + std::to_wstring(line) + L": " + message);
  }
  bool IsSymbol(char c) const { return current_.kind == Tok::Symbol && current_.symbol == c; }
  bool IsIdent(std::wstring_view word) const { return current_.kind == Tok::Ident && SameText(current_.text, word); }
  void ExpectSymbol(char c) {
    if (!IsSymbol(c)) Fail(std::wstring(L"'") + static_cast<wchar_t>(c) + L"' expected");
    Advance();
  }
  std::wstring ExpectIdent() {
    if (current_.kind != Tok::Ident) Fail(L"identifier expected");
    return Next().text;
  }

  // The hexadecimal body of a binary value; the opening brace has been seen as the current token.
  std::vector<std::byte> ReadBinaryBody() {
    if (!IsSymbol('{')) Fail(L"'{' expected");
    std::vector<std::byte> bytes;
    int high = -1;
    for (;;) {
      if (pos_ >= text_.size()) Fail(L"'}' expected");
      const char c = text_[pos_++];
      if (c == '}') break;
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      int v;
      if (c >= '0' && c <= '9')
        v = c - '0';
      else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
      else
        FailAt(line_, L"invalid character in binary value");
      if (high < 0) {
        high = v;
      } else {
        bytes.push_back(static_cast<std::byte>(high * 16 + v));
        high = -1;
      }
    }
    if (high >= 0) FailAt(line_, L"odd number of digits in binary value");
    Advance();
    return bytes;
  }

 private:
  static bool IdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
  static bool IdentPart(char c) { return IdentStart(c) || (c >= '0' && c <= '9') || c == '.'; }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  void Advance() {
    SkipBlanks();
    current_ = Token{};
    current_.line = line_;
    if (pos_ >= text_.size()) return;
    const char c = text_[pos_];
    if (IdentStart(c)) {
      const std::size_t start = pos_;
      while (pos_ < text_.size() && IdentPart(text_[pos_])) ++pos_;
      current_.kind = Tok::Ident;
      current_.text = Utf8ToWide(text_.substr(start, pos_ - start));
    } else if ((c >= '0' && c <= '9') || c == '$' || (c == '-' && pos_ + 1 < text_.size())) {
      ReadInteger();
    } else if (c == '\'' || c == '#') {
      ReadString();
    } else {
      current_.kind = Tok::Symbol;
      current_.symbol = c;
      ++pos_;
    }
  }

  void ReadInteger() {
    bool negative = false;
    if (text_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int base = 10;
    if (pos_ < text_.size() && text_[pos_] == '$') {
      base = 16;
      ++pos_;
    }
    std::uint64_t value = 0;
    int digits = 0;
    while (pos_ < text_.size()) {
      const char d = text_[pos_];
      const int v = DigitValue(d, base);
      if (v < 0) break;
      value = value * static_cast<unsigned>(base) + static_cast<unsigned>(v);
      if (value > 0xFFFFFFFFull) FailAt(line_, L"integer out of range");
      ++digits;
      ++pos_;
    }
    if (digits == 0) FailAt(line_, L"number expected");
    if (pos_ < text_.size() && IdentPart(text_[pos_])) FailAt(line_, L"invalid number");
    std::int64_t result;
    if (negative) {
      if (value > 0x80000000ull) FailAt(line_, L"integer out of range");
      result = -static_cast<std::int64_t>(value);
    } else if (base == 16) {
      result = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));  // $FFFFFFFF is -1
    } else {
      result = static_cast<std::int64_t>(value);
    }
    current_.kind = Tok::Integer;
    current_.number = result;
  }

  // 'quoted'#13#10'parts' + 'continued' -> one string.
  void ReadString() {
    std::wstring value;
    for (;;) {
      if (pos_ < text_.size() && text_[pos_] == '\'') {
        ++pos_;
        std::string part;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n') FailAt(line_, L"unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              part.push_back('\'');
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          part.push_back(text_[pos_++]);
        }
        value += Utf8ToWide(part);
      } else if (pos_ < text_.size() && text_[pos_] == '#') {
        ++pos_;
        int base = 10;
        if (pos_ < text_.size() && text_[pos_] == '$') {
          base = 16;
          ++pos_;
        }
        std::uint32_t code = 0;
        int digits = 0;
        while (pos_ < text_.size()) {
          const char d = text_[pos_];
          const int v = DigitValue(d, base);
          if (v < 0) break;
          code = code * static_cast<unsigned>(base) + static_cast<unsigned>(v);
          if (code > 0xFFFF) FailAt(line_, L"character code out of range");
          ++digits;
          ++pos_;
        }
        if (digits == 0) FailAt(line_, L"character code expected");
        value.push_back(static_cast<wchar_t>(code));
      } else {
        // A '+' joins the next part, possibly on the next line.
        const std::size_t save = pos_;
        const int saveLine = line_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '+') {
          ++pos_;
          SkipBlanks();
          if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) continue;
          FailAt(line_, L"string expected after '+'");
        }
        pos_ = save;
        line_ = saveLine;
        break;
      }
    }
    current_.kind = Tok::String;
    current_.text = std::move(value);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  Token current_;
};

struct Fixup {
  TObject* holder;
  const TPropInfo* property;
  std::wstring name;
  int line;
};

}  // namespace

struct TReader::State {
  explicit State(std::string_view text, TComponent& r) : lexer(text), root(r) {}
  Lexer lexer;
  TComponent& root;
  std::vector<TComponent*> loaded;
  std::vector<Fixup> fixups;
  std::wstring pendingName;
  bool handled = false;
  int depth = 0;
};

TReader::TReader(std::unique_ptr<State> state) : state_(std::move(state)) {}
TReader::~TReader() = default;

std::int32_t TReader::ReadInteger() {
  Lexer& lx = state_->lexer;
  if (lx.Peek().kind == Tok::Integer) return static_cast<std::int32_t>(lx.Next().number);
  if (lx.Peek().kind == Tok::Ident)
    if (auto v = IdentToInt(lx.Peek().text)) {
      lx.Next();
      return *v;
    }
  lx.Fail(L"integer expected");
}

bool TReader::ReadBoolean() {
  Lexer& lx = state_->lexer;
  if (lx.IsIdent(L"True")) return lx.Next(), true;
  if (lx.IsIdent(L"False")) return lx.Next(), false;
  lx.Fail(L"True or False expected");
}

std::wstring TReader::ReadString() {
  Lexer& lx = state_->lexer;
  if (lx.Peek().kind != Tok::String) lx.Fail(L"string expected");
  return lx.Next().text;
}

std::wstring TReader::ReadIdent() { return state_->lexer.ExpectIdent(); }

void TReader::ReadListBegin() {
  if (++state_->depth > kMaxDepth) state_->lexer.Fail(L"nesting too deep");
  state_->lexer.ExpectSymbol('(');
}

bool TReader::EndOfList() {
  if (state_->lexer.Peek().kind == Tok::End) state_->lexer.Fail(L"')' expected");
  return state_->lexer.IsSymbol(')');
}

void TReader::ReadListEnd() {
  state_->lexer.ExpectSymbol(')');
  --state_->depth;
}

void TReader::DefineProperty(std::wstring_view name, const ReadProc& read, const WriteProc&, bool) {
  if (state_->handled || !read || !SameText(name, state_->pendingName)) return;
  state_->handled = true;
  read(*this);
}

void TReader::DefineBinaryProperty(std::wstring_view name, const StreamProc& read, const StreamProc&, bool) {
  if (state_->handled || !read || !SameText(name, state_->pendingName)) return;
  state_->handled = true;
  const auto bytes = state_->lexer.ReadBinaryBody();
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), bytes.size());
  stream.SetPosition(0);
  read(stream);
}

namespace {

class ReadEngine {
 public:
  ReadEngine(TReader& reader, TReader::State& state) : reader_(reader), s_(state), lx_(state.lexer) {}

  void ReadRoot() {
    ReadObject(nullptr, true);
    if (lx_.Peek().kind != Tok::End) lx_.Fail(L"end of text expected");
  }

  void ReadProperties(TObject& instance) {
    while (lx_.Peek().kind == Tok::Ident && !lx_.IsIdent(L"object") && !lx_.IsIdent(L"end") &&
           !lx_.IsIdent(L"inherited"))
      ReadProperty(instance);
  }

  void ReadObject(TComponent* parent, bool isRoot) {
    if (++s_.depth > kMaxDepth) lx_.Fail(L"nesting too deep");
    const int line = lx_.Peek().line;
    if (!lx_.IsIdent(L"object") && !lx_.IsIdent(L"inherited")) lx_.Fail(L"'object' expected");
    lx_.Next();
    std::wstring name = lx_.ExpectIdent();
    std::wstring className;
    if (lx_.IsSymbol(':')) {
      lx_.Next();
      className = lx_.ExpectIdent();
    } else {
      className = std::exchange(name, std::wstring());
    }
    TComponent* instance;
    if (isRoot) {
      instance = &s_.root;
      if (!SameText(className, instance->ClassName()))
        Lexer::FailAt(line, L"class " + className + L" does not match " + std::wstring(instance->ClassName()));
      instance->BeginLoading();
      s_.loaded.push_back(instance);
      if (!name.empty()) SetName(*instance, name, line);
    } else {
      const TClass* cls = FindClass(className);
      if (cls == nullptr) Lexer::FailAt(line, L"class " + className + L" not found");
      if (!cls->CanCreateComponent()) Lexer::FailAt(line, L"class " + className + L" cannot be created");
      instance = cls->CreateComponent(s_.root);
      instance->BeginLoading();
      s_.loaded.push_back(instance);
      if (!name.empty()) {
        SetName(*instance, name, line);
        if (const TFieldInfo* field = s_.root.ClassType().FindField(name)) {
          if (!instance->InheritsFrom(field->FieldClass()))
            Lexer::FailAt(line, L"field " + name + L" is not of class " + className);
          field->Set(s_.root, instance);
        }
      }
      Guard(line, [&] { instance->SetParentComponent(parent); });
    }
    ReadProperties(*instance);
    while (lx_.IsIdent(L"object") || lx_.IsIdent(L"inherited")) ReadObject(instance, false);
    if (!lx_.IsIdent(L"end")) lx_.Fail(L"'end' expected");
    lx_.Next();
    --s_.depth;
  }

 private:
  template <class F>
  static void Guard(int line, F&& action) {
    try {
      action();
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& error) {
      Lexer::FailAt(line, ExceptionText(error));
    }
  }

  static void SetName(TComponent& component, const std::wstring& name, int line) {
    Guard(line, [&] { component.SetName(name); });
  }

  void ReadProperty(TObject& instance) {
    const int line = lx_.Peek().line;
    const std::wstring path = lx_.ExpectIdent();
    lx_.ExpectSymbol('=');
    TObject* holder = &instance;
    std::wstring_view rest = path;
    for (std::size_t dot; (dot = rest.find(L'.')) != std::wstring_view::npos; rest.remove_prefix(dot + 1)) {
      const std::wstring segment(rest.substr(0, dot));
      const TPropInfo* p = holder->ClassType().FindProperty(segment);
      if (p == nullptr || p->Kind != TTypeKind::Class) Lexer::FailAt(line, L"property " + path + L" does not exist");
      holder = p->GetObject(*holder);
      if (holder == nullptr) Lexer::FailAt(line, L"property " + path + L" has no object to read into");
    }
    const std::wstring name(rest);
    if (const TPropInfo* p = holder->ClassType().FindProperty(name)) {
      ReadValue(*holder, *p, path, line);
      return;
    }
    auto* persistent = dynamic_cast<TPersistent*>(holder);
    s_.pendingName = name;
    s_.handled = false;
    if (persistent != nullptr) Guard(line, [&] { persistent->DefineProperties(reader_); });
    if (!s_.handled) Lexer::FailAt(line, L"property " + path + L" does not exist");
  }

  void ReadValue(TObject& holder, const TPropInfo& p, const std::wstring& path, int line) {
    auto readOnly = [&] { Lexer::FailAt(line, L"property " + path + L" is read-only"); };
    switch (p.Kind) {
      case TTypeKind::Integer: {
        const std::int32_t v = reader_.ReadInteger();
        if (!p.SetOrd) readOnly();
        Guard(line, [&] { p.SetOrd(holder, v); });
        return;
      }
      case TTypeKind::Enumeration: {
        const std::wstring ident = lx_.ExpectIdent();
        const auto v = p.EnumType->ValueOf(ident);
        if (!v) Lexer::FailAt(line, L"invalid value " + ident + L" for " + path);
        if (!p.SetOrd) readOnly();
        Guard(line, [&] { p.SetOrd(holder, *v); });
        return;
      }
      case TTypeKind::Set: {
        lx_.ExpectSymbol('[');
        std::int64_t bits = 0;
        while (!lx_.IsSymbol(']')) {
          const std::wstring ident = lx_.ExpectIdent();
          const auto v = p.EnumType->ValueOf(ident);
          if (!v || *v >= 32) Lexer::FailAt(line, L"invalid set member " + ident + L" for " + path);
          bits |= std::int64_t{1} << *v;
          if (!lx_.IsSymbol(']')) lx_.ExpectSymbol(',');
        }
        lx_.Next();
        if (!p.SetOrd) readOnly();
        Guard(line, [&] { p.SetOrd(holder, bits); });
        return;
      }
      case TTypeKind::String:
      case TTypeKind::WideString: {
        const std::wstring v = reader_.ReadString();
        if (p.Kind == TTypeKind::String) {
          if (!p.SetStr) readOnly();
          Guard(line, [&] { p.SetStr(holder, WideToUtf8(v)); });
        } else {
          if (!p.SetWideStr) readOnly();
          Guard(line, [&] { p.SetWideStr(holder, v); });
        }
        return;
      }
      case TTypeKind::Method: {
        const std::wstring handler = lx_.ExpectIdent();
        if (SameText(handler, L"nil")) {
          p.SetMethod(holder, TMethod{});
          return;
        }
        const TMethodInfo* m = s_.root.ClassType().FindMethod(handler);
        if (m == nullptr) Lexer::FailAt(line, L"method " + handler + L" not found");
        const TMethod bound = m->Bind(s_.root);
        if (!bound.Assigned() || bound.Signature == nullptr || *bound.Signature != *p.Signature)
          Lexer::FailAt(line, L"method " + handler + L" does not match event " + path);
        p.SetMethod(holder, bound);
        return;
      }
      case TTypeKind::Class:
        ReadObjectValue(holder, p, path, line);
        return;
    }
  }

  void ReadObjectValue(TObject& holder, const TPropInfo& p, const std::wstring& path, int line) {
    if (lx_.IsSymbol('<')) {
      auto* collection = dynamic_cast<TCollection*>(p.GetObject(holder));
      if (collection == nullptr) Lexer::FailAt(line, L"property " + path + L" is not a collection");
      ReadCollection(*collection);
      return;
    }
    const std::wstring name = lx_.ExpectIdent();
    if (!p.SetObject) Lexer::FailAt(line, L"property " + path + L" is read-only");
    if (SameText(name, L"nil")) {
      Guard(line, [&] { p.SetObject(holder, nullptr); });
      return;
    }
    s_.fixups.push_back(Fixup{&holder, &p, name, line});
  }

  void ReadCollection(TCollection& collection) {
    if (++s_.depth > kMaxDepth) lx_.Fail(L"nesting too deep");
    lx_.ExpectSymbol('<');
    collection.BeginUpdate();
    try {
      collection.Clear();
      while (!lx_.IsSymbol('>')) {
        const int line = lx_.Peek().line;
        if (!lx_.IsIdent(L"item")) lx_.Fail(L"'item' expected");
        lx_.Next();
        TCollectionItem* item = nullptr;
        Guard(line, [&] { item = collection.Add(); });
        ReadProperties(*item);
        if (!lx_.IsIdent(L"end")) lx_.Fail(L"'end' expected");
        lx_.Next();
      }
      lx_.Next();
    } catch (...) {
      collection.EndUpdate();
      throw;
    }
    collection.EndUpdate();
    --s_.depth;
  }

  TReader& reader_;
  TReader::State& s_;
  Lexer& lx_;
};

}  // namespace

void ReadComponent(TComponent& root, std::string_view text) {
  TReader reader(std::make_unique<TReader::State>(text, root));
  TReader::State& s = *reader.state_;
  try {
    ReadEngine engine(reader, s);
    engine.ReadRoot();
    for (const Fixup& f : s.fixups) {
      TComponent* target = SameText(f.name, root.Name()) ? &root : root.FindComponent(f.name);
      if (target == nullptr) Lexer::FailAt(f.line, L"component " + f.name + L" not found");
      if (!target->InheritsFrom(f.property->ObjectClass()))
        Lexer::FailAt(f.line, L"component " + f.name + L" is not a " + std::wstring(f.property->ObjectClass().Name()));
      f.property->SetObject(*f.holder, target);
    }
  } catch (...) {
    for (TComponent* c : s.loaded) c->CancelLoading();
    throw;
  }
  for (TComponent* c : s.loaded) c->EndReading();
  for (TComponent* c : s.loaded) c->Loaded();
}

// ---------------------------------------------------------------------------------------------

struct TWriter::State {
  explicit State(TComponent& r) : root(r) {}
  TComponent& root;
  std::string out;
  int indent = 0;
  std::wstring prefix;  // dotted path of the persistent whose extra values are being defined
  bool inList = false;
};

TWriter::TWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}
TWriter::~TWriter() = default;

namespace {

std::string QuoteString(std::wstring_view value) {
  if (value.empty()) return "''";
  std::string out;
  bool quoted = false;
  for (wchar_t c : value) {
    if (c < 32) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#' + std::to_string(static_cast<int>(c));
      continue;
    }
    if (!quoted) out += '\'';
    quoted = true;
    if (c == L'\'')
      out += "''";
    else
      out += WideToUtf8(std::wstring_view(&c, 1));
  }
  if (quoted) out += '\'';
  return out;
}

std::string Utf8(std::wstring_view text) { return WideToUtf8(text); }

}  // namespace

void TWriter::WriteInteger(std::int64_t value) {
  state_->out += (state_->inList ? std::string(static_cast<std::size_t>(state_->indent) * 2 + 2, ' ') : " ") +
                 std::to_string(value) + (state_->inList ? "\n" : "");
}

void TWriter::WriteBoolean(bool value) { WriteIdent(value ? L"True" : L"False"); }

void TWriter::WriteString(std::wstring_view value) {
  state_->out += (state_->inList ? std::string(static_cast<std::size_t>(state_->indent) * 2 + 2, ' ') : " ") +
                 QuoteString(value) + (state_->inList ? "\n" : "");
}

void TWriter::WriteIdent(std::wstring_view identifier) {
  state_->out += (state_->inList ? std::string(static_cast<std::size_t>(state_->indent) * 2 + 2, ' ') : " ") +
                 Utf8(identifier) + (state_->inList ? "\n" : "");
}

void TWriter::WriteListBegin() {
  state_->out += " (\n";
  state_->inList = true;
}

void TWriter::WriteListEnd() {
  state_->out += std::string(static_cast<std::size_t>(state_->indent) * 2 + 2, ' ') + ")";
  state_->inList = false;
}

void TWriter::DefineProperty(std::wstring_view name, const ReadProc&, const WriteProc& write, bool hasData) {
  if (!hasData || !write) return;
  state_->out += std::string(static_cast<std::size_t>(state_->indent) * 2, ' ') + Utf8(state_->prefix) + Utf8(name) + " =";
  write(*this);
  state_->out += "\n";
}

void TWriter::DefineBinaryProperty(std::wstring_view name, const StreamProc&, const StreamProc& write, bool hasData) {
  if (!hasData || !write) return;
  TMemoryStream bytes;
  write(bytes);
  const std::string pad(static_cast<std::size_t>(state_->indent) * 2, ' ');
  std::string& out = state_->out;
  out += pad + Utf8(state_->prefix) + Utf8(name) + " = {";
  static const char kHex[] = "0123456789ABCDEF";
  const auto& data = bytes.Bytes();
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i % 32 == 0) out += "\n" + pad + "  ";
    const auto b = static_cast<unsigned>(data[i]);
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  out += "}\n";
}

namespace {

class WriteEngine {
 public:
  WriteEngine(TWriter& writer, TWriter::State& state) : writer_(writer), s_(state) {}

  void WriteObject(TComponent& component) {
    Line("object " + Utf8(component.Name()) + (component.Name().empty() ? "" : ": ") + Utf8(component.ClassName()));
    ++s_.indent;
    WriteProperties(component, L"");
    std::vector<TComponent*> children;
    component.GetChildren([&](TComponent* child) { children.push_back(child); }, &s_.root);
    for (TComponent* child : children)
      if (child->Owner() == &s_.root) WriteObject(*child);
    --s_.indent;
    Line("end");
  }

 private:
  void Line(const std::string& text) { s_.out += std::string(static_cast<std::size_t>(s_.indent) * 2, ' ') + text + "\n"; }

  void WriteProperties(TObject& object, const std::wstring& prefix) {
    for (const TPropInfo* p : object.ClassType().Properties()) {
      if (!p->Stored) continue;
      const std::string name = Utf8(prefix + p->Name);
      switch (p->Kind) {
        case TTypeKind::Integer:
        case TTypeKind::Enumeration:
        case TTypeKind::Set: {
          if (!p->SetOrd) break;
          const std::int64_t v = p->GetOrd(object);
          if (p->Default && *p->Default == v) break;
          if (p->Kind == TTypeKind::Integer)
            Line(name + " = " + std::to_string(v));
          else if (p->Kind == TTypeKind::Enumeration)
            Line(name + " = " + Utf8(p->EnumType->NameOf(v)));
          else
            Line(name + " = " + Utf8(SetToText(*p->EnumType, v)));
          break;
        }
        case TTypeKind::String:
          if (p->SetStr) {
            const std::string v = p->GetStr(object);
            if (!v.empty()) Line(name + " = " + QuoteString(Utf8ToWide(v)));
          }
          break;
        case TTypeKind::WideString:
          if (p->SetWideStr) {
            const std::wstring v = p->GetWideStr(object);
            if (!v.empty()) Line(name + " = " + QuoteString(v));
          }
          break;
        case TTypeKind::Method: {
          const TMethod m = p->GetMethod(object);
          if (!m.Assigned()) break;
          if (const TMethodInfo* info = s_.root.ClassType().FindMethodByCode(m)) Line(name + " = " + Utf8(info->Name));
          break;
        }
        case TTypeKind::Class:
          WriteObjectValue(object, *p, prefix, name);
          break;
      }
    }
    if (auto* persistent = dynamic_cast<TPersistent*>(&object)) {
      const std::wstring saved = std::exchange(s_.prefix, prefix);
      persistent->DefineProperties(writer_);
      s_.prefix = saved;
    }
  }

  void WriteObjectValue(TObject& object, const TPropInfo& p, const std::wstring& prefix, const std::string& name) {
    TObject* value = p.GetObject(object);
    if (value == nullptr) return;
    if (auto* component = dynamic_cast<TComponent*>(value)) {
      if (p.SetObject && !component->Name().empty() &&
          (component == &s_.root || component->Owner() == &s_.root))
        Line(name + " = " + Utf8(component->Name()));
      return;
    }
    if (auto* collection = dynamic_cast<TCollection*>(value)) {
      if (collection->Count() == 0) return;
      Line(name + " = <");
      ++s_.indent;
      for (int i = 0; i < collection->Count(); ++i) {
        Line("item");
        ++s_.indent;
        WriteProperties(*collection->Items(i), L"");
        --s_.indent;
        Line("end");
      }
      --s_.indent;
      s_.out.back() = '>';  // "end" + ">" closes the collection on the last item's line
      s_.out += "\n";
      return;
    }
    WriteProperties(*value, prefix + p.Name + L".");
  }

  TWriter& writer_;
  TWriter::State& s_;
};

}  // namespace

std::string WriteComponent(TComponent& root) {
  TWriter writer(std::make_unique<TWriter::State>(root));
  root.SetWritingState(true);
  try {
    WriteEngine(writer, *writer.state_).WriteObject(root);
  } catch (...) {
    root.SetWritingState(false);
    throw;
  }
  root.SetWritingState(false);
  return std::move(writer.state_->out);
}

}  // namespace ui
