# Asked for, on standard output; after a mistake, on standard error.
--- $ triple_check -h; triple_check --help; triple_check; triple_check -x f.txt
usage: triple_check [--] FILE...
       triple_check -h | --help | --version
Checks triple files as triple_import reads them; '-' is standard input.
usage: triple_check [--] FILE...
       triple_check -h | --help | --version
Checks triple files as triple_import reads them; '-' is standard input.
--- stderr
usage: triple_check [--] FILE...
       triple_check -h | --help | --version
triple_check: unknown option: -x
usage: triple_check [--] FILE...
       triple_check -h | --help | --version
--- status 0 0 2 2
