// CombinationWindow: 組合せ作成. The player picks numbers on a 1-31 board or takes a row of the
// 一発ボボーン suggestions, marks fixed numbers, filters, and gets every combination (or a reduced
// set with a verified guarantee) to copy, save, print or add to 購入記録. The combinations, the
// reduced sets and every text beside them come from core (combination_builder, combination_view);
// a search that shrinks a reduced set under fixed numbers or filters runs on a worker thread.
#pragma once

#include <QWidget>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "core/draws/draw_history.h"
#include "core/lottery/lottery_rules.h"
#include "core/tickets/combination_builder.h"

class GridView;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPrinter;
class QPushButton;
class QSpinBox;
class QToolButton;

inline constexpr const char* kCombinationWindowName = "組合せ作成";
// Rows beyond this are counted, copied, saved and printed but not listed.
inline constexpr std::size_t kComboListLimit = 5000;

class CombinationWindow : public QWidget {
    Q_OBJECT

public:
    // enabledOptions: the prediction options switched on, for the suggestions; ticketFile: the
    // register "購入記録に追加" writes to.
    CombinationWindow(const DrawHistory& history, int latestDrawNo, int enabledOptions,
                      QString ticketFile, QWidget* parent = nullptr);
    ~CombinationWindow() override;

    // The board: 1..31. Picking a fixed number keeps it picked.
    void setPicked(int number, bool picked);
    void setFixed(int number, bool fixed);
    void takeNumbers(const std::vector<int>& numbers);
    void clearBoard();
    QToolButton* boardButton(int number) const;
    // The guarantee choice: item 0 is every combination, then kOfferedGuarantees in order.
    QComboBox* guaranteeBox() const { return m_guaranteeChoice; }
    // A search for a smaller reduced set is running; cancelSearch() keeps the set on screen.
    bool searching() const { return m_worker.joinable() && !m_workerDone; }
    void cancelSearch();
    QLabel* countLabel() const { return m_countLabel; }
    GridView* listView() const { return m_list; }
    const ComboResult& result() const { return m_result; }
    // The suggestion rows: 周期法 7, 9, 11, 12, 連発, 一発.
    const std::vector<std::vector<int>>& suggestions() const { return m_suggestions; }

    QString csvText() const;
    // The whole list (not only the rows shown), in columns, page after page.
    void printTo(QPrinter* printer) const;
    // Adds the list to the ticket file for the draw; true when it was stored.
    bool addToRegister(int drawNo, QString* error);

signals:
    void ticketsAdded();

private:
    QWidget* buildBoard();
    QWidget* buildSuggestions(const DrawHistory& history, int latestDrawNo, int enabledOptions);
    QWidget* buildFilters();
    QWidget* buildOutput();
    void boardClicked(int number);
    // Rebuilds the list from the board and the filters.
    void recompute();
    ComboRequest currentRequest() const;
    // Shows a result (or its message) in the count, the list and the guarantee lines.
    void showResult(Result<ComboResult> result, const ComboRequest& request);
    void startSearch(ComboRequest request);
    void stopWorker();
    void searchFinished(unsigned generation, Result<ComboResult> result, bool cancelled);
    void copyList();
    void saveCsv();
    void printList();
    void addClicked();
    void closeWindow();

    ComboHistory m_comboHistory;
    QString m_ticketFile;
    std::array<QToolButton*, kHighestNumber + 1> m_board{};
    std::array<bool, kHighestNumber + 1> m_picked{};
    std::array<bool, kHighestNumber + 1> m_fixed{};
    QCheckBox* m_fixMode = nullptr;
    std::vector<std::vector<int>> m_suggestions;

    QCheckBox* m_sumOn = nullptr;
    QSpinBox* m_sumMin = nullptr;
    QSpinBox* m_sumMax = nullptr;
    QCheckBox* m_oddEvenOn = nullptr;
    std::array<QCheckBox*, 6> m_oddEvenLetters{};
    QCheckBox* m_lowHighOn = nullptr;
    std::array<QCheckBox*, 6> m_lowHighLetters{};
    QCheckBox* m_consecutiveOn = nullptr;
    QSpinBox* m_consecutiveMax = nullptr;
    QCheckBox* m_previousOn = nullptr;
    QSpinBox* m_previousMax = nullptr;
    QCheckBox* m_notWon = nullptr;
    std::array<QLabel*, kComboFilterCount> m_removedLabels{};
    QComboBox* m_guaranteeChoice = nullptr;
    QLabel* m_guarantee = nullptr;
    QLabel* m_summary = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelButton = nullptr;

    QLabel* m_countLabel = nullptr;
    GridView* m_list = nullptr;
    QSpinBox* m_drawNo = nullptr;
    QPushButton* m_addButton = nullptr;
    ComboResult m_result;
    bool m_updating = false;

    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::atomic<bool> m_workerDone{true};
    unsigned m_generation = 0;
};
