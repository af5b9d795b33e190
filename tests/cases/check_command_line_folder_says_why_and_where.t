--- $ mkdir d && triple_check d
--- stderr
triple_check: d: read error at line 1: Is a directory
--- status 2
