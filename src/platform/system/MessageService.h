#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace ui {

// Every message box, input box and file or folder chooser of the program goes through the
// current MessageService, so that tests can read what was asked and script the answers. The
// interface needs no widgets: the rules of every subsystem ask their questions through it.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Information, Question, Warning, Critical };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct MessageRequest {
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    // Which of the buttons is the default one (index in the order listed by `buttons`).
    int defaultButton = 0;
};

struct FileRequest {
    QString title;
    QString filter;        // "Archivi (*.mdb)|*.mdb|Tutti i file (*.*)|*.*" style or Qt style
    int filterIndex = 1;
    QString defaultExtension;
    QString initialPath;
    bool save = false;     // save dialog (may name a new file) rather than open
    bool mustExist = false;
};

class MessageService {
public:
    virtual ~MessageService() = default;

    virtual Answer message(const MessageRequest& request) = 0;
    // The text typed, or nothing when the user cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFile(const FileRequest& request) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& initialPath) = 0;

    // The service in force: the one installed, else the default. Asking with neither is a
    // fault of the program (std::logic_error): the engine never shows anything itself.
    static MessageService& current();
    // Installs `service` (ownership stays with the caller); nullptr restores the default.
    static void install(MessageService* service);
    // The service installed, nullptr when none (the default is in force).
    static MessageService* installed();
    // The service used when none is installed: the real dialogs, set by the program's start.
    static void installDefault(MessageService* service);

    // Shorthands for the common calls.
    static Answer show(const QString& text, const QString& title = {}, Buttons buttons = Buttons::Ok,
                       Icon icon = Icon::None, int defaultButton = 0) {
        return current().message({text, title, buttons, icon, defaultButton});
    }
};

}  // namespace ui
