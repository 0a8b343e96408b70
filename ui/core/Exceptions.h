#pragma once
// The library's exception classes. Every failure the library raises derives from Exception, whose
// Message() is the text the general error report shows.
#include <exception>
#include <string>

namespace ui {

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring message_;
  std::string utf8_;
};

// Text that is not a number, a value of the wrong kind, an assignment between unrelated classes.
class EConvertError : public Exception { using Exception::Exception; };
// An index outside a list.
class EListError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
// A component name that is not an identifier or is used twice under one owner.
class EComponentError : public Exception { using Exception::Exception; };
// An operation that the object's state does not allow (no parent window, wrong thread...).
class EInvalidOperation : public Exception { using Exception::Exception; };
// A picture whose data is corrupt, truncated or of an unsupported format.
class EInvalidGraphic : public Exception { using Exception::Exception; };
// A system call that failed to create a window, a DC, a bitmap, a timer or a thread.
class EOutOfResources : public Exception { using Exception::Exception; };
class EThread : public Exception { using Exception::Exception; };
class EMenuError : public Exception { using Exception::Exception; };

// The text of any exception: Message() for ours, what() (taken as UTF-8) for the others.
std::wstring ExceptionText(const std::exception& error);

}  // namespace ui
