#pragma once
// A runtime failure as the program reports it to the user: the program's error number,
// its description and the component that raised it. Every command runs guarded (see
// shared/ui/Guarded.h): an error it raises ends it and is reported, unless the command
// expects it, as Cancel in a dialog, which ends the command silently.
#include <QByteArray>
#include <QString>
#include <exception>

namespace folio {

namespace err {
inline constexpr int OutOfMemory = 7;
inline constexpr int DeviceIO = 57;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int NotSupported = 438;
inline constexpr int CancelError = 32755;
}  // namespace err

class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString description, QString source = programSource());

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }
    const char* what() const noexcept override { return m_what.constData(); }

    // The name the program gives as the source of its own errors.
    static QString programSource();

    // The standard description of one of the program's error numbers ("File not found" for 53, ...);
    // empty for a number the program does not know.
    static QString standardDescription(int number);
    static RuntimeError fromNumber(int number);

    static RuntimeError cancelled();     // 32755: Cancel in a common dialog
    static RuntimeError noObject();      // 91: no window or control was there to use
    static RuntimeError notSupported();  // 438: the window has no such control or routine
    static RuntimeError outOfMemory();   // 7: an allocation failed

    // An operating-system failure (errno) on `path`, mapped to the program's numbers:
    // missing file 53, missing folder 76, no permission 70, a folder or other unusable
    // target 75, disk or quota full 61, input/output failure 57.
    // With a path, a missing file whose folder is missing too is 76, not 53.
    static RuntimeError fromErrno(int errnoValue, const QString& path = QString());

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

}  // namespace folio
