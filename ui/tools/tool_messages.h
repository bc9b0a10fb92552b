#pragma once
// The messages of the tool windows and the help command, in one place so
// that the help page and the tests read the same sentences.

#include <QString>

namespace tarvelo {

inline const QString kIncompleteDataMessage = QStringLiteral("数据未输入完整！");
inline const QString kDivisorZeroMessage =
    QStringLiteral("除数为零，请检查坐标输入是否正确！");
inline const QString kCoordinatesTooLargeMessage =
    QStringLiteral("坐标数值过大，无法计算方位角和距离，请检查坐标输入是否正确！");
// %1: the box ("度", "分", "秒", "弧度"), %2: its text.
inline const QString kNotANumberMessage =
    QStringLiteral("“%1”框中的“%2”不是有效的数字，请重新输入！");
inline const QString kAngleTooLargeMessage =
    QStringLiteral("数值过大，无法换算，请检查输入的数据！");
// %1: the page's path.
inline const QString kHelpMissingMessage =
    QStringLiteral("找不到帮助页面“%1”，请检查程序是否完整安装。");
inline const QString kHelpNotOpenedMessage =
    QStringLiteral("无法打开帮助页面“%1”，请检查系统是否安装了网页浏览器。");

}  // namespace tarvelo
