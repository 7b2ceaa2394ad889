// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/help_viewer.h"
#include "shell/help_file.h"

#include <QDateTime>
#include <QWidget>

#include <memory>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace tonolog {

class MessageBoxService;

// The program's own help viewer: a window of its own, "Tonolog Help", that does not block the
// main window. On the left two tabs: "Contents", the topic titles in file order, and "Index", a
// search box above the keywords that narrows them as the user types. On the right the topic.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows a newly read help file: both lists refilled, the first topic shown.
    void setHelpFile(HelpFile file);
    const HelpFile& helpFile() const { return file_; }

    // The Contents tab, on the topic shown (the first one if none is).
    void showContents();
    // The Index tab, with an empty search box that has the focus.
    void showIndex();
    // Shows the topic at this position of the file and marks it in the contents.
    void showTopic(int topic);
    // The topic shown, or -1 (nothing, or the list of topics of a keyword).
    int currentTopic() const { return currentTopic_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillContents();
    void narrowIndex(const QString& typed);
    void showEntry(QListWidgetItem* item);
    void openLink(const QUrl& url);

    HelpFile file_;
    int currentTopic_ = -1;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* search_ = nullptr;
    QListWidget* keywords_ = nullptr;
    QTextBrowser* view_ = nullptr;
};

// The help viewer that the dialog service hands the help file to. It reads the file into one
// HelpWindow (again when the file changed or another one is asked for), shows the window on its
// contents (command 15) or its keyword index (command 261), brings it to the front and returns.
// A file that cannot be read is reported through the message box.
class HelpWindowViewer : public HelpViewer {
public:
    explicit HelpWindowViewer(MessageBoxService& messages);
    ~HelpWindowViewer() override;

    void show(const QString& helpFile, int command) override;

    // The window, or null before the first successful show().
    HelpWindow* window() const { return window_.get(); }

private:
    bool load(const QString& helpFile);

    MessageBoxService& messages_;
    std::unique_ptr<HelpWindow> window_;
    QString loadedPath_;
    QDateTime loadedTime_;
    qint64 loadedSize_ = -1;
};

} // namespace tonolog
