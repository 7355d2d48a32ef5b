#include "platform/ui/QtMessageService.h"
#include "platform/system/MessageService.h"

#include "platform/ui/FileFilter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <vector>

namespace ui {
namespace {

std::vector<QMessageBox::StandardButton> standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return {QMessageBox::Ok};
    case Buttons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case Buttons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case Buttons::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Buttons::RetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
    case Buttons::AbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    }
    return {QMessageBox::Ok};
}

QMessageBox::Icon standardIcon(Icon icon) {
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

Answer toAnswer(int button) {
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Abort: return Answer::Abort;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return Answer::Cancel;
    }
}

// A box without a title of its own shows the program's name.
QString windowTitle(const QString& title) {
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

class QtMessageService final : public MessageService {
public:
    Answer message(const MessageRequest& request) override {
        QMessageBox box(standardIcon(request.icon), windowTitle(request.title), request.text,
                        QMessageBox::NoButton, QApplication::activeWindow());
        // Messages quote user data; a stray '<' must not turn them into rich text.
        box.setTextFormat(Qt::PlainText);
        const auto buttons = standardButtons(request.buttons);
        for (auto button : buttons)
            box.addButton(button);
        if (request.defaultButton >= 0 && request.defaultButton < int(buttons.size()))
            box.setDefaultButton(buttons[request.defaultButton]);
        return toAnswer(box.exec());
    }

    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override {
        bool ok = false;
        const QString text = QInputDialog::getText(QApplication::activeWindow(), windowTitle(title),
                                                   prompt, QLineEdit::Normal, defaultText, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }

    std::optional<QString> chooseFile(const FileRequest& request) override {
        const QStringList filters = qtFileFilters(request.filter);
        QFileDialog dialog(QApplication::activeWindow(), request.title, request.initialPath,
                           filters.join(QStringLiteral(";;")));
        if (request.save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            // Naming an existing file to save to asks nothing: the caller decides what follows.
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
            dialog.setFileMode(QFileDialog::AnyFile);
        } else {
            dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        }
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            dialog.selectNameFilter(filters[request.filterIndex - 1]);
        const QString suffix = defaultSuffix(request.defaultExtension);
        if (!suffix.isEmpty())
            dialog.setDefaultSuffix(suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> chooseFolder(const QString& title, const QString& initialPath) override {
        const QString folder =
            QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, initialPath);
        if (folder.isEmpty())
            return std::nullopt;
        return folder;
    }
};

}  // namespace

void installQtMessages() {
    static QtMessageService qtService;
    MessageService::installDefault(&qtService);
}

}  // namespace ui
