# No argument, and two: the usage line with the program name as invoked, and nothing else.
--- $ triple_import; triple_import a b
Usage: {tool} devices_triple.txt
Usage: {tool} devices_triple.txt
--- status 0 0
