--- $ triple_check --version
triple_check 1.0.0
--- status 0
