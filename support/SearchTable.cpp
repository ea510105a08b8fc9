#include "support/SearchTable.h"

#include <map>
#include <mutex>

namespace SearchTable {

namespace {

struct Table {
    std::mutex lock;
    std::map<int32_t, std::unique_ptr<DirectorySearch::Search>> searches;
    int32_t nextNumber = FirstNumber;
};

// Never destroyed: a search holder released while the program ends must
// still be able to close its search, whatever the order of destruction.
Table& Searches() {
    static auto* table = new Table;
    return *table;
}

}  // namespace

int32_t Keep(std::unique_ptr<DirectorySearch::Search> search) {
    auto& table = Searches();
    std::lock_guard guard(table.lock);
    const int32_t number = table.nextNumber;
    // After two thousand million searches the numbers start over above the
    // file numbers; by then the early searches are long closed.
    table.nextNumber = number == INT32_MAX ? FirstNumber : number + 1;
    table.searches.emplace(number, std::move(search));
    return number;
}

DirectorySearch::Search* Find(int32_t number) {
    auto& table = Searches();
    std::lock_guard guard(table.lock);
    const auto found = table.searches.find(number);
    return found == table.searches.end() ? nullptr : found->second.get();
}

bool Close(int32_t number) {
    std::unique_ptr<DirectorySearch::Search> ended;  // ends after the lock is let go
    auto& table = Searches();
    std::lock_guard guard(table.lock);
    const auto found = table.searches.find(number);
    if (found == table.searches.end())
        return false;
    ended = std::move(found->second);
    table.searches.erase(found);
    return true;
}

}  // namespace SearchTable
