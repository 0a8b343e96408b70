#pragma once
// Form definitions: the readable text form of a component tree with its published properties,
// binary properties, collections and event bindings.
//
//   object FrmMain: TFrmMain
//     Caption = 'Trelvix'#13#10'line two'      strings: UTF-8, '' for a quote, #n for a code unit
//     Font.Name = '宋体'                        nested class properties by dotted path
//     Visible = False                           enumerations and Booleans by identifier
//     Options = [xoPreview, xoToolbarBK]        sets
//     Items.Strings = ('40K' '80K')             lists (here a string list's lines)
//     Store = <item Name = 'SkinItem0' end>     collections
//     DataStream = {0A0B0C}                     binary values, hexadecimal
//     OnClick = btnAddClick                     events: a published method of the root
//     PopupMenu = PopupMenu1                    references to components of the root
//     object btnAdd: TButton ... end            children: owned by the root, parented here
//   end
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/Persistent.h"

namespace ui {

class TComponent;

// Reads text into root: the first object's class must be root's class; its name becomes root's
// name. Children are created by class name (RegisterClass), owned by root, given their parent
// component, and bound to root's published fields of the same name. Loaded() runs on every
// component read once the whole tree is in place. Raises EReadError "line N: ..." on bad input;
// the components created before the error stay owned by root.
void ReadComponent(TComponent& root, std::string_view text);
// The text of root and the tree below it.
std::string WriteComponent(TComponent& root);

// Value access for TFiler::DefineProperty procedures while reading.
class TReader : public TFiler {
 public:
  ~TReader() override;
  std::int32_t ReadInteger();
  bool ReadBoolean();
  std::wstring ReadString();
  std::wstring ReadIdent();
  void ReadListBegin();
  bool EndOfList();
  void ReadListEnd();

  void DefineProperty(std::wstring_view name, const ReadProc& read, const WriteProc& write,
                      bool hasData) override;
  void DefineBinaryProperty(std::wstring_view name, const StreamProc& read, const StreamProc& write,
                            bool hasData) override;

  struct State;  // the reader's position and bookkeeping, private to FormDefinition.cpp

 private:
  friend void ReadComponent(TComponent&, std::string_view);
  explicit TReader(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

// Value output for TFiler::DefineProperty procedures while writing.
class TWriter : public TFiler {
 public:
  ~TWriter() override;
  void WriteInteger(std::int64_t value);
  void WriteBoolean(bool value);
  void WriteString(std::wstring_view value);
  void WriteIdent(std::wstring_view identifier);
  void WriteListBegin();
  void WriteListEnd();

  void DefineProperty(std::wstring_view name, const ReadProc& read, const WriteProc& write,
                      bool hasData) override;
  void DefineBinaryProperty(std::wstring_view name, const StreamProc& read, const StreamProc& write,
                            bool hasData) override;

  struct State;  // the writer's output, private to FormDefinition.cpp

 private:
  friend std::string WriteComponent(TComponent&);
  explicit TWriter(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace ui
