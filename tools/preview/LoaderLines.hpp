#pragma once

#include <string>

// The loaders' lines of a start-up, seen on their way to standard error (where they still
// go), so that the overlay can say what a reload found.
class LoaderLines {
public:
    // Everything written to standard error from now on is kept aside until finish().
    void begin();
    // Passes what was kept on to standard error; the number of lines and the first of them.
    void finish();

    int count() const { return m_count; }
    const std::string& first() const { return m_first; }

private:
    int m_saved = -1;  // standard error while begin() holds it
    int m_kept = -1;   // the file that stands in for it
    int m_count = 0;
    std::string m_first;
};
