// SPDX-FileCopyrightText: 2026 The Tonolog developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialog_service.h"

#include <QStringList>

namespace tonolog {

class HelpViewer;

// The standard dialogs as Qt's own (non-native) file and printer dialogs, over the active window.
class QtDialogService : public DialogService {
public:
    // The viewer is not owned and may be null, in which case a help request does nothing.
    explicit QtDialogService(HelpViewer* helpViewer = nullptr);

    FileDialogResult showOpen(const FileDialogRequest& request) override;
    FileDialogResult showSave(const FileDialogRequest& request) override;
    bool showPrinter(QPrinter& printer, const QString& proposedFile = QString()) override;
    std::unique_ptr<ProgressMonitor> showProgress(const QString& label, int total) override;
    void showHelp(const QString& helpFile, int command) override;

    // "TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*" as the file dialog's name filters,
    // "TNL Files (*.tnl)" and "All Files (*)". A pattern list separated by ';' becomes one separated
    // by spaces, and "*.*" becomes "*", since here it would miss files without an extension.
    static QStringList nameFilters(const QString& filter);

private:
    enum class Mode { Open, Save };
    FileDialogResult showFileDialog(const FileDialogRequest& request, Mode mode);

    HelpViewer* helpViewer_;
};

} // namespace tonolog
