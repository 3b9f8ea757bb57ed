// Progress of a long partition computation: the callback is called a hundred times over a
// known amount of work (fewer when there are fewer steps), each call standing for one
// hundredth of it. Internal to the partitions module.
#pragma once

#include "partitions/PrimSpec.h"

#include <algorithm>
#include <cstdint>

namespace morvix::detail {

class Avancement {
  public:
    Avancement(const ProgressionSpec &progression, int64_t n)
        : m_progression(progression), m_n(std::max<int64_t>(n, 1)) {}
    // `travail` more units done, in pass `passe` (the callback's argument).
    void pas(int32_t passe, int64_t travail = 1) {
        m_fait = std::min(m_fait + travail, m_n);
        const int64_t centieme = m_fait * 100 / m_n;
        for (; m_appels < centieme; ++m_appels)
            if (m_progression)
                m_progression(passe);
    }

  private:
    const ProgressionSpec &m_progression;
    int64_t m_n, m_fait = 0, m_appels = 0;
};

} // namespace morvix::detail
