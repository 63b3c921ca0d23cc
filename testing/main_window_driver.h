#pragma once

#include "about_window.h"
#include "document_fields.h"
#include "form_boxes.h"
#include "main_window.h"
#include "options_window.h"
#include "test_windows.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

// Drives a real main window the way a user does, through its widgets found
// by name, with the Save dialog answered by preset paths and a fixed date
// format.
class MainWindowDriver {
public:
    explicit MainWindowDriver(const Edition& edition) : window(new MainWindow(edition))
    {
        window->setDateFormat({"%d/%m/%Y", "%H:%M:%S"});
        window->show();
    }
    ~MainWindowDriver() { delete window.data(); }

    template <typename T = QWidget>
    T* find(const char* name) const
    {
        return elementOf<T>(window, name);
    }
    QLineEdit* line(const char* name) const { return find<QLineEdit>(name); }
    QPlainTextEdit* box(const char* name) const { return find<QPlainTextEdit>(name); }

    void type(const char* name, const QString& text) const { line(name)->setText(text); }
    void typeBox(const char* name, const QString& text) const { box(name)->setPlainText(text); }
    void setDate(const QDateTime& value) const { find<QDateTimeEdit>("Calendario")->setDateTime(value); }

    PresetFileDialogs* answerSaveWith(QStringList paths, QStringList openPaths = {})
    {
        auto dialogs = std::make_unique<PresetFileDialogs>(std::move(paths), std::move(openPaths));
        PresetFileDialogs* raw = dialogs.get();
        window->setFileDialogs(std::move(dialogs));
        return raw;
    }

    // Presses Create once the polling timer has enabled it.
    bool create() const
    {
        auto* createButton = find<QPushButton>("CmdCrear");
        if (!QTest::qWaitFor([&] { return createButton->isEnabled(); }, 2000))
            return false;
        createButton->click();
        return true;
    }

    // The options or about window, opened with the main window's button.
    OptionsWindow* openOptions() const
    {
        find<QPushButton>("CmdOpciones")->click();
        return loadedWindow<OptionsWindow>();
    }
    AboutWindow* openAbout() const
    {
        find<QPushButton>("CmdAcercade")->click();
        return loadedWindow<AboutWindow>();
    }

    // Every text and state the user can see in the form's boxes, to show
    // that nothing changed.
    QStringList snapshot() const
    {
        QStringList values;
        for (const FormBox& row : formBoxes()) {
            switch (fieldOf(row.value).kind) {
            case FieldKind::Line:
                values << line(row.name)->text();
                break;
            case FieldKind::Lines:
                values << box(row.name)->toPlainText();
                break;
            case FieldKind::Status:
                values << QString::number(find<QCheckBox>(row.name)->checkState())
                       << QString::number(find<QRadioButton>("OpVer1")->isChecked());
                break;
            case FieldKind::Date:
                values << find<QDateTimeEdit>(row.name)->dateTime().toString(Qt::ISODate);
                break;
            }
        }
        return values;
    }

    QPointer<MainWindow> window;
};
