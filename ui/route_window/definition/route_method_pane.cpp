#include "ui/route_window/definition/route_method_pane.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/route_window/tables/element_table_model.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/tables/text_table_actions.h"

namespace tarvelo {

RouteMethodPane::RouteMethodPane(RouteDocument* document, QWidget* jdPane, QWidget* parent)
    : QWidget(parent), document_(document), jdPane_(jdPane)
{
    method_ = new QComboBox(this);
    method_->setObjectName(QStringLiteral("methodCombo"));
    method_->addItems({QStringLiteral("交点法"), QStringLiteral("线元法")});
    method_->setToolTip(QStringLiteral("交点法：起点、交点和终点的坐标及曲线参数；"
                                       "线元法：逐个线元（直线、圆曲线、缓和曲线）首尾相接"));
    spiral_ = new QComboBox(this);
    spiral_->setObjectName(QStringLiteral("spiralCombo"));
    spiral_->addItems({QStringLiteral("精确回旋线"), QStringLiteral("与主窗口一致（级数）")});
    spiral_->setToolTip(QStringLiteral("交点法线路的缓和曲线：精确回旋线，或与主窗口单条曲线相同的级数公式"));
    auto* methodLabel = new QLabel(QStringLiteral("定线方法(&F)"), this);
    methodLabel->setBuddy(method_);
    auto* spiralLabel = new QLabel(QStringLiteral("缓和曲线(&H)"), this);
    spiralLabel->setBuddy(spiral_);
    auto* top = new QHBoxLayout;
    top->addWidget(methodLabel);
    top->addWidget(method_);
    top->addSpacing(12);
    top->addWidget(spiralLabel);
    top->addWidget(spiral_);
    top->addStretch();

    stack_ = new QStackedWidget(this);
    stack_->setObjectName(QStringLiteral("methodStack"));
    stack_->addWidget(jdPane);
    stack_->addWidget(buildElementPane());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(stack_);

    connect(method_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        document_->setMethod(i == 1 ? RouteMethod::Elements : RouteMethod::Jd);
    });
    connect(spiral_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        document_->setSpiralMode(i == 1 ? SpiralMode::Series : SpiralMode::Exact);
    });
    // An undo or an import may change the method too.
    connect(document_, &RouteDocument::methodChanged, this, &RouteMethodPane::showMethod);
    showMethod();
}

QWidget* RouteMethodPane::buildElementPane()
{
    auto* box = new QGroupBox(QStringLiteral("线元表"));
    elementTable_ = new QTableView(box);
    elementTable_->setObjectName(QStringLiteral("elementTable"));
    elementTable_->setModel(document_->elementTable());
    elementTable_->setAlternatingRowColors(true);
    elementTable_->setTabKeyNavigation(false);  // Tab leaves the table, as everywhere else
    elementTable_->verticalHeader()->setDefaultSectionSize(elementTable_->fontMetrics().height() + 6);
    elementTable_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    elementTable_->horizontalHeader()->setHighlightSections(false);
    elementTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    elementTable_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
    elementTable_->setToolTip(QStringLiteral("每行一个线元；只有第一行必须给出起点桩号、X、Y 和方位角（d.mmss）；"
                                             "半径留空为直线端；可用 Ctrl+V 粘贴电子表格数据"));
    AddTextTableActions(elementTable_, document_->elementTable(), "element", this);

    auto* insert = new QPushButton(QStringLiteral("插入行"), box);
    insert->setObjectName(QStringLiteral("elementInsertRowButton"));
    auto* remove = new QPushButton(QStringLiteral("删除行"), box);
    remove->setObjectName(QStringLiteral("elementDeleteRowsButton"));
    connect(insert, &QPushButton::clicked, this,
            [this] { InsertTableRow(elementTable_, document_->elementTable()); });
    connect(remove, &QPushButton::clicked, this,
            [this] { DeleteTableRows(elementTable_, document_->elementTable()); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(elementTable_);
    layout->addLayout(buttons);
    return box;
}

QWidget* RouteMethodPane::currentTable() const
{
    if (document_->method() == RouteMethod::Elements) return elementTable_;
    return jdPane_;
}

void RouteMethodPane::showMethod()
{
    const bool elements = document_->method() == RouteMethod::Elements;
    const QSignalBlocker quiet(method_);  // showing the method is no request to change it
    method_->setCurrentIndex(elements ? 1 : 0);
    stack_->setCurrentIndex(elements ? 1 : 0);
    spiral_->setEnabled(!elements);
}

}  // namespace tarvelo
