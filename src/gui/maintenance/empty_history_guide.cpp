#include "gui/maintenance/empty_history_guide.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

EmptyHistoryGuide::EmptyHistoryGuide(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EmptyHistoryGuide"));
    setWindowTitle(kEmptyHistoryGuideTitle);
    setModal(false);

    auto* text = new QLabel(
        QStringLiteral("当選データがまだ登録されていないため、分析と予想は空のままです。\n"
                       "次のどれかで当選データを入れてください。"),
        this);
    text->setWordWrap(true);

    const auto makeButton = [this](const QString& caption, const QString& hint) {
        auto* button = new QPushButton(caption, this);
        button->setToolTip(hint);
        return button;
    };
    m_loadCsv = makeButton(QStringLiteral("CSVファイルから取り込む(&C)..."),
                           QStringLiteral("抽せん結果の CSV ファイル（UTF-8 または Shift_JIS）を"
                                          "読み込みます。"));
    m_typeDraws = makeButton(QStringLiteral("当選データを入力する(&I)"),
                             QStringLiteral("当選数字を開催回ごとに入力します。"));
    m_update = makeButton(QStringLiteral("サーバーから最新化する(&U)"),
                          QStringLiteral("設定した取得先から当選データを取り込みます。"));
    const auto closeThen = [this](void (EmptyHistoryGuide::*request)()) {
        return [this, request] {
            close();
            emit(this->*request)();
        };
    };
    connect(m_loadCsv, &QPushButton::clicked, this,
            closeThen(&EmptyHistoryGuide::loadCsvRequested));
    connect(m_typeDraws, &QPushButton::clicked, this,
            closeThen(&EmptyHistoryGuide::typeDrawsRequested));
    connect(m_update, &QPushButton::clicked, this, closeThen(&EmptyHistoryGuide::updateRequested));

    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_loadCsv);
    layout->addWidget(m_typeDraws);
    layout->addWidget(m_update);
    layout->addWidget(close);
    m_loadCsv->setFocus();
}
