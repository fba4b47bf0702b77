#include "standings/core/maxflow.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace outlooksearch {

void MaxFlow::reset(int nodes)
{
    m_head.assign(nodes, -1);
    m_edges.clear();
    m_partsKnown = false;
}

int MaxFlow::add(int from, int to, int capacity)
{
    m_edges.push_back({to, capacity, m_head[from]});
    m_head[from] = int(m_edges.size()) - 1;
    m_edges.push_back({from, 0, m_head[to]});
    m_head[to] = int(m_edges.size()) - 1;
    return int(m_edges.size()) - 2;
}

int MaxFlow::run(int source, int sink)
{
    int flow = 0;
    while (levels(source, sink)) {
        m_current = m_head;
        while (const int pushed = push(source, sink, INT_MAX))
            flow += pushed;
    }
    return flow;
}

bool MaxFlow::fixedFlow(int edge)
{
    if (!m_partsKnown)
        findParts();
    return m_part[m_edges[edge].to] != m_part[m_edges[edge ^ 1].to];
}

// Tarjan's strongly connected parts of the residual network, without
// recursion.
void MaxFlow::findParts()
{
    const int nodes = int(m_head.size());
    std::vector<int> index(nodes, -1);
    std::vector<int> low(nodes, 0);
    std::vector<char> onStack(nodes, 0);
    std::vector<int> stack;
    std::vector<std::pair<int, int>> calls; // node, next edge to look at
    m_part.assign(nodes, -1);
    int counter = 0;
    int parts = 0;
    for (int root = 0; root < nodes; ++root) {
        if (index[root] >= 0)
            continue;
        calls.push_back({root, m_head[root]});
        index[root] = low[root] = counter++;
        stack.push_back(root);
        onStack[root] = 1;
        while (!calls.empty()) {
            auto &[node, e] = calls.back();
            if (e >= 0) {
                const Edge &edge = m_edges[e];
                e = edge.next;
                if (edge.capacity <= 0)
                    continue;
                if (index[edge.to] < 0) {
                    index[edge.to] = low[edge.to] = counter++;
                    stack.push_back(edge.to);
                    onStack[edge.to] = 1;
                    calls.push_back({edge.to, m_head[edge.to]});
                } else if (onStack[edge.to]) {
                    low[node] = std::min(low[node], index[edge.to]);
                }
                continue;
            }
            const int done = node;
            calls.pop_back();
            if (!calls.empty())
                low[calls.back().first] = std::min(low[calls.back().first], low[done]);
            if (low[done] == index[done]) {
                for (int x = -1; x != done;) {
                    x = stack.back();
                    stack.pop_back();
                    onStack[x] = 0;
                    m_part[x] = parts;
                }
                ++parts;
            }
        }
    }
    m_partsKnown = true;
}

bool MaxFlow::levels(int source, int sink)
{
    m_level.assign(m_head.size(), -1);
    m_queue.clear();
    m_queue.push_back(source);
    m_level[source] = 0;
    for (std::size_t i = 0; i < m_queue.size(); ++i) {
        const int node = m_queue[i];
        for (int e = m_head[node]; e >= 0; e = m_edges[e].next) {
            if (m_edges[e].capacity > 0 && m_level[m_edges[e].to] < 0) {
                m_level[m_edges[e].to] = m_level[node] + 1;
                m_queue.push_back(m_edges[e].to);
            }
        }
    }
    return m_level[sink] >= 0;
}

int MaxFlow::push(int node, int sink, int limit)
{
    if (node == sink)
        return limit;
    // As much as the node can pass on in this phase, over several edges.
    int pushedAll = 0;
    for (int &e = m_current[node]; e >= 0; e = m_edges[e].next) {
        Edge &edge = m_edges[e];
        if (edge.capacity <= 0 || m_level[edge.to] != m_level[node] + 1)
            continue;
        if (const int pushed = push(edge.to, sink, std::min(limit - pushedAll, edge.capacity))) {
            edge.capacity -= pushed;
            m_edges[e ^ 1].capacity += pushed;
            pushedAll += pushed;
            if (pushedAll == limit)
                return pushedAll;
        }
    }
    // Nothing more goes through this node in this phase.
    m_level[node] = -1;
    return pushedAll;
}

} // namespace outlooksearch
