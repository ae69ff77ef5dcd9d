#pragma once

#include <string>

// The progress rule of one upload run, Sketch or Adobe XD: 3 x (artboards) + (symbol masters)
// steps. Each artboard counts three steps (its share of the accepted import, its preview, its
// images), each symbol master one (its images). The percentage is the counted steps over the
// total; exactly 100 once every step is counted, which is what ends a run.
class UploadProgress {
public:
    enum class Counter { artboards, previews, symbols };

    UploadProgress() = default;
    UploadProgress(std::size_t artboardCount, std::size_t symbolMasterCount);

    int total() const { return m_total; }
    int done() const { return m_artboards + m_previews + m_symbols; }
    int count(Counter counter) const;
    // Adds `steps` to one counter and answers its new value.
    int advance(Counter counter, int steps = 1);

    bool isComplete() const { return m_total > 0 && done() >= m_total; }
    // 0 while there is nothing to count; exactly 100.0 once complete.
    double percentage() const;

    // The debug line of a counter as the upload logs it: "<prefix>3.0".
    static std::string counterLine(const char* prefix, int value);

private:
    int m_total = 0;
    int m_artboards = 0;
    int m_previews = 0;
    int m_symbols = 0;
};
