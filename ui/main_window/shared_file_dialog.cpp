#include "ui/main_window/shared_file_dialog.h"

#include <QWidget>

#include "ui/ui_services.h"

namespace tarvelo {

SharedFileDialog::SharedFileDialog(UiServices& services, QWidget* window)
    : QObject(window), services_(services), window_(window)
{
    setObjectName(QStringLiteral("CDg1"));
}

QString SharedFileDialog::chooseSaveFile(const QStringList& filters)
{
    return remember(services_.getSaveFileName(window_, fileName_, filters));
}

QString SharedFileDialog::chooseOpenFile(const QStringList& filters)
{
    return remember(services_.getOpenFileName(window_, fileName_, filters));
}

QString SharedFileDialog::remember(const QString& chosen)
{
    if (!chosen.isEmpty()) fileName_ = chosen;
    return chosen;
}

QStringList CurveDataFilters() { return {QStringLiteral("文本文件(*.txt)")}; }

QStringList ReportFilters()
{
    return {QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件(*.*)")};
}

}  // namespace tarvelo
