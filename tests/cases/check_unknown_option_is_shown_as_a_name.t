# `triple_check *.txt` passes any file's name, and one that starts with '-' is taken for an option:
# its line breaks and escape sequences are shown, not sent to the terminal.
--- $ triple_check "$(printf -- '-\033[31mred\nx.txt')"
--- stderr
triple_check: unknown option: -\x1b[31mred\nx.txt
usage: triple_check [--] FILE...
       triple_check -h | --help | --version
--- status 2
