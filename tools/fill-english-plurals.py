import re,sys
p=sys.argv[1]
s=open(p).read()
pat=re.compile(r'(<source>(.*?)</source>\s*(?:<comment>.*?</comment>\s*)?(?:<extracomment>.*?</extracomment>\s*)?)<translation type="unfinished">\s*<numerusform></numerusform>\s*<numerusform></numerusform>\s*</translation>', re.S)
def fix(m):
    src=m.group(2)
    one=src.replace('(s)',''); many=src.replace('(s)','s')
    return m.group(1)+'<translation>\n            <numerusform>%s</numerusform>\n            <numerusform>%s</numerusform>\n        </translation>' % (one,many)
s=pat.sub(fix,s)
open(p,'w').write(s)
