#include "JsonPositions.h"

#include <simdjson.h>

#include <map>
#include <vector>

namespace pathloom {

namespace {

namespace ondemand = simdjson::ondemand;

// The asked-for paths as a tree, so that one walk of the text visits each needed value once.
struct PathTree {
    struct Node {
        std::map<QString, std::size_t> keys;
        std::map<qsizetype, std::size_t> indexes;
        // Byte offset of the value's first character; -1 until found.
        qsizetype offset = -1;
    };
    std::vector<Node> nodes{Node{}};

    std::size_t add(const JsonPath& path) {
        std::size_t current = 0;
        for (const JsonPath::Component& component : path.components()) {
            const std::size_t next = nodes.size();
            std::size_t child = next;
            if (const qsizetype* position = std::get_if<qsizetype>(&component)) {
                child = nodes[current].indexes.try_emplace(*position, next).first->second;
            } else {
                child = nodes[current]
                            .keys.try_emplace(std::get<QString>(component), next)
                            .first->second;
            }
            if (child == next) {
                nodes.emplace_back();
            }
            current = child;
        }
        return current;
    }
};

// Moves `position` past one byte of UTF-8 text; continuation bytes do not start a character.
void advance(LintFinding::Position& position, unsigned char byte) {
    if (byte == '\n') {
        position = {position.line + 1, 1};
    } else if ((byte & 0xC0) != 0x80) {
        ++position.column;
    }
}

class Walk {
public:
    Walk(PathTree& tree, const char* start) : m_tree(tree), m_start(start) {}

    // Throws simdjson_error when the text is not JSON simdjson accepts.
    void visit(ondemand::value value, std::size_t node) {
        m_tree.nodes[node].offset = value.raw_json_token().data() - m_start;
        if (m_tree.nodes[node].keys.empty() && m_tree.nodes[node].indexes.empty()) {
            return;
        }
        switch (value.type()) {
            case ondemand::json_type::object:
                for (ondemand::field field : value.get_object()) {
                    const std::string_view key = field.unescaped_key();
                    const auto& keys = m_tree.nodes[node].keys;
                    const auto child =
                        keys.find(QString::fromUtf8(key.data(), qsizetype(key.size())));
                    if (child != keys.end()) {
                        visit(field.value(), child->second);
                    }
                }
                break;
            case ondemand::json_type::array: {
                qsizetype position = 0;
                for (ondemand::value element : value.get_array()) {
                    const auto& indexes = m_tree.nodes[node].indexes;
                    const auto child = indexes.find(position++);
                    if (child != indexes.end()) {
                        visit(element, child->second);
                    }
                }
                break;
            }
            default:
                break;
        }
    }

private:
    PathTree& m_tree;
    const char* m_start;
};

}  // namespace

std::optional<JsonPositions> JsonPositions::locate(const QByteArray& text,
                                                   const QList<JsonPath>& paths) {
    PathTree tree;
    std::vector<std::size_t> leaves;
    leaves.reserve(std::size_t(paths.size()));
    for (const JsonPath& path : paths) {
        leaves.push_back(tree.add(path));
    }

    const simdjson::padded_string padded(text.constData(), std::size_t(text.size()));
    ondemand::parser parser;
    try {
        ondemand::document document = parser.iterate(padded);
        Walk(tree, padded.data()).visit(document.get_value(), 0);
    } catch (const simdjson::simdjson_error&) {
        return std::nullopt;
    }

    // Line and column of every offset found, from one scan of the text up to the last of them.
    std::vector<qsizetype> offsets;
    for (const PathTree::Node& node : tree.nodes) {
        if (node.offset >= 0) {
            offsets.push_back(node.offset);
        }
    }
    std::sort(offsets.begin(), offsets.end());
    QHash<qsizetype, LintFinding::Position> byOffset;
    LintFinding::Position position{1, 1};
    qsizetype scanned = 0;
    for (const qsizetype offset : offsets) {
        for (; scanned < offset; ++scanned) {
            advance(position, static_cast<unsigned char>(text[scanned]));
        }
        byOffset.insert(offset, position);
    }

    JsonPositions positions;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const qsizetype offset = tree.nodes[leaves[std::size_t(i)]].offset;
        if (offset >= 0) {
            positions.m_positions.insert(paths[i].text(), byOffset.value(offset));
        }
    }
    return positions;
}

std::optional<LintFinding::Position> JsonPositions::position(const JsonPath& path) const {
    const auto found = m_positions.constFind(path.text());
    return found == m_positions.constEnd() ? std::nullopt : std::optional(*found);
}

LintFinding::Position JsonPositions::positionAt(const QByteArray& text, qsizetype offset) {
    LintFinding::Position position{1, 1};
    for (qsizetype i = 0; i < std::min(offset, text.size()); ++i) {
        advance(position, static_cast<unsigned char>(text[i]));
    }
    return position;
}

}  // namespace pathloom
