#pragma once

namespace tonolog {

struct Document;

// The printing of the List page and the Trend page.
class PagePrinting {
public:
    explicit PagePrinting(const Document& document) : document_(document) {}

    void printListPage();
    void printTrendPage();

private:
    const Document& document_;
};

} // namespace tonolog
