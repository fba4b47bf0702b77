#pragma once

#include <vector>

namespace outlooksearch {

// A maximum flow (Dinic) on a network of a few hundred nodes, rebuilt for
// each check with its memory kept.
class MaxFlow
{
public:
    void reset(int nodes);
    // Returns the edge, whose flow flowOn() tells after run().
    int add(int from, int to, int capacity);
    int flowOn(int edge) const { return m_edges[edge ^ 1].capacity; }
    int run(int source, int sink);
    // After run(): whether the flow on the edge is the same in every maximum
    // flow (zero, or its whole capacity). Two maximum flows differ by cycles
    // of the residual network, so it is when the edge's two ends are in
    // different strongly connected parts of it.
    bool fixedFlow(int edge);
    // After run(): whether the node is on the source's side of a minimum cut.
    bool onSourceSide(int node) const { return m_level[node] >= 0; }

private:
    void findParts();

    struct Edge
    {
        int to;
        int capacity;
        int next;
    };
    bool levels(int source, int sink);
    int push(int node, int sink, int limit);

    std::vector<Edge> m_edges;
    std::vector<int> m_head;
    std::vector<int> m_current;
    std::vector<int> m_level;
    std::vector<int> m_queue;
    std::vector<int> m_part; // strongly connected part of each node, once asked
    bool m_partsKnown = false;
};

} // namespace outlooksearch
