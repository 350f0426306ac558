#include "core/draws/import_draws.h"

#include <cerrno>
#include <utility>

#include <sys/stat.h>

#include "core/base/file_replacement.h"
#include "core/draws/connection_string.h"

std::string emptyFileRefusal()
{
    return "当選データを含まないファイルでは、登録済みの当選データを置き換えません。";
}

Result<DrawImport> DrawImport::prepare(const std::string& connectString, DrawCsv file)
{
    const auto pieces = parseConnectString(connectString);
    if (!pieces) return Error{"接続文字列が正しくありません: " + connectString};
    const std::string& path = pieces->dataSource;
    // One writer at a time: a second import, the entry window or an update is turned away.
    auto lock = DrawDatabaseLock::acquire(path);
    if (!lock) return Error{lock.error()};
    return prepare(std::move(lock.value()), connectString, std::move(file));
}

Result<DrawImport> DrawImport::prepare(DrawDatabaseLock lock, const std::string& connectString,
                                       DrawCsv file)
{
    const auto pieces = parseConnectString(connectString);
    if (!pieces) return Error{"接続文字列が正しくありません: " + connectString};
    const std::string& path = pieces->dataSource;
    std::optional<DrawDatabase> database;
    std::vector<DrawRow> stored;
    std::vector<DrawPrizes> storedPrizes;
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 || errno != ENOENT) {
        if (auto refusal = writeRefusal(path); !refusal.empty()) return Error{refusal};
        // Opening for writing lets the engine roll back what an interrupted write left.
        auto opened = DrawDatabase::open(connectString, DrawDatabase::Access::ReadWrite);
        if (!opened) return Error{opened.error()};
        auto read = opened->readAllDraws();
        if (!read) return Error{read.error()};
        stored = std::move(read.value());
        auto prizes = opened->readPrizes();
        if (!prizes) return Error{prizes.error()};
        storedPrizes = std::move(prizes.value());
        database = std::move(opened.value());
    }
    CsvImport import = planCsvImport(std::move(file), stored, storedPrizes);
    return DrawImport(std::move(lock), std::move(database), path, std::move(import));
}

Result<ImportOutcome> DrawImport::apply(MergeMode mode)
{
    ImportOutcome outcome;
    outcome.mode = mode;
    outcome.summary = m_import.summary(mode);
    const bool replacing = mode == MergeMode::ReplaceAll;
    const std::vector<DrawRow>& rows = replacing ? m_import.file.rows : m_import.plan.merged;
    outcome.rows = rows.size();
    const std::vector<DrawPrizes> prizes = m_import.prizesAfter(mode);
    if (!m_database) {
        if (!replacing) return Error{"当選データファイルがありません：" + m_path};
        if (Status created = createWith(rows, prizes); !created) return Error{created.error()};
        outcome.written = true;
        return outcome;
    }
    // The merged history holds every stored draw, so only a replacement can lose them.
    if (replacing && !holdsDraws(rows) && m_import.plan.storedRows > 0) {
        auto current = m_database->readAllDraws();
        if (!current) return Error{current.error()};
        if (holdsDraws(current.value())) return Error{emptyFileRefusal()};
    }
    const bool changes = replacing || m_import.addsOrChanges() || m_import.plan.duplicates > 0;
    if (!changes) return outcome;
    // Draws and prizes in one transaction: both or, on any failure, neither.
    if (Status written = m_database->replaceAllDraws(rows, prizes); !written)
        return Error{written.error()};
    outcome.written = true;
    return outcome;
}

Status DrawImport::createWith(const std::vector<DrawRow>& rows,
                              const std::vector<DrawPrizes>& prizes)
{
    // Built aside and renamed into place, so an interrupted import leaves no half-made file.
    auto replacement = FileReplacement::begin(m_path, "import");
    if (!replacement) return Error{replacement.error()};
    Status built = buildIn(replacement->temporaryPath(), rows, prizes);
    if (!built) {
        // The temporary file is nothing the player knows: the message names the database.
        std::string text = built.error();
        const std::string& temporary = replacement->temporaryPath();
        for (std::size_t at = text.find(temporary); at != std::string::npos;
             at = text.find(temporary, at + m_path.size()))
            text.replace(at, temporary.size(), m_path);
        return Error{text};
    }
    // A journal beside a file that is gone belongs to nothing; left there, the engine would
    // roll it into the new file.
    settleJournalForReplacement(connectStringForFile(m_path));
    return replacement->commit();
}

Status DrawImport::buildIn(const std::string& temporary, const std::vector<DrawRow>& rows,
                           const std::vector<DrawPrizes>& prizes)
{
    {
        auto database = DrawDatabase::initialise(temporary);
        if (!database) return Error{database.error()};
        // The journal stays in memory: an interrupted import discards the whole temporary file
        // anyway, and no "-journal" file is left beside it.
        if (Status journal = database->execute("PRAGMA journal_mode = MEMORY;"); !journal)
            return journal;
        if (Status written = database->insertDraws(rows); !written) return written;
        if (!prizes.empty())
            if (Status written = database->writePrizes(prizes); !written) return written;
    }
    return success();
}

Result<ImportOutcome> importDraws(const std::string& connectString, DrawCsv file, MergeMode mode)
{
    auto prepared = DrawImport::prepare(connectString, std::move(file));
    if (!prepared) return Error{prepared.error()};
    return prepared->apply(mode);
}
