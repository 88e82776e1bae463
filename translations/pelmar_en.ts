<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>pelmar</name>
    <message>
        <source>&amp;Opções</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Jogo &amp;Novo</source>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>Fase ...</source>
        <translation>&amp;Level...</translation>
    </message>
    <message>
        <source>Display Simples</source>
        <translation>Simple Display</translation>
    </message>
    <message>
        <source>&amp;Minimizar</source>
        <translation>&amp;Minimize</translation>
    </message>
    <message>
        <source>Vel. Dirovid ...</source>
        <translation>&amp;Cook&apos;s Speed...</translation>
    </message>
    <message>
        <source>S&amp;om</source>
        <translation>S&amp;ound</translation>
    </message>
    <message>
        <source>Sai&amp;r</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Ajuda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Sobre o Jogo...</source>
        <translation>&amp;About the Game...</translation>
    </message>
    <message>
        <source>Os Melhores...</source>
        <translation>&amp;Best Scores...</translation>
    </message>
    <message>
        <source>Como jogar...</source>
        <translation>&amp;How to Play...</translation>
    </message>
    <message>
        <source>NOME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>PONTOS</source>
        <translation>POINTS</translation>
    </message>
    <message>
        <source>SS</source>
        <translation>LV</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source> Entre Com A Fase para iniciar o jogo:</source>
        <translation>Enter the level to start the game at:</translation>
    </message>
    <message>
        <source>Fase:</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source> Entre Com A Velocidade do Dirovid:</source>
        <translation>Enter the cook&apos;s speed:</translation>
    </message>
    <message>
        <source>  O Valor Padrao e 150.</source>
        <translation>The default is 150.</translation>
    </message>
    <message>
        <source>Velocidade:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Display &amp;Arrojado</source>
        <translation>&amp;Bold Display</translation>
    </message>
    <message>
        <source>Display &amp;Simples</source>
        <translation>&amp;Simple Display</translation>
    </message>
    <message>
        <source>Deseja jogar novamente?</source>
        <translation>Do you want to play again?</translation>
    </message>
    <message>
        <source>Fim do Jogo.</source>
        <translation>Game Over</translation>
    </message>
    <message>
        <source>PAUSA</source>
        <translation>PAUSED</translation>
    </message>
    <message>
        <source>REPETIÇÃO</source>
        <translation>REPLAY</translation>
    </message>
    <message>
        <source>&amp;Exibir</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Tamanho &amp;%1x</source>
        <translation>Size &amp;%1x</translation>
    </message>
    <message>
        <source>A&amp;mpliar</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>&amp;Reduzir</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>Tela &amp;cheia</source>
        <translation>&amp;Full Screen</translation>
    </message>
    <message>
        <source>&amp;Pausa</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>A página de ajuda %1 não foi encontrada junto ao jogo.</source>
        <translation>The help page %1 was not found beside the game.</translation>
    </message>
    <message>
        <source>O recorde não pôde ser guardado em %1: %2. A tabela antiga ficou como estava.</source>
        <translation>The score could not be saved in %1: %2. The old table was left as it was.</translation>
    </message>
    <message>
        <source>A tabela de recordes %1 não pôde ser lida (%2). Ela foi guardada como %3 e o jogo começa com uma tabela vazia.</source>
        <translation>The high-score table %1 could not be read (%2). It was kept as %3, and the game starts with an empty table.</translation>
    </message>
    <message>
        <source>A tabela de recordes %1 não pôde ser lida (%2) e fica onde está; o jogo não a substitui.</source>
        <translation>The high-score table %1 could not be read (%2) and stays where it is; the game does not replace it.</translation>
    </message>
    <message>
        <source>o disco está cheio</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>falta permissão</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>o disco é só de leitura</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>não é um arquivo comum</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>o conteúdo não é uma tabela de recordes inteira</source>
        <translation>its contents are not a whole high-score table</translation>
    </message>
    <message>
        <source>a pasta do jogo não aceita escrita e não há pasta do usuário</source>
        <translation>the game&apos;s folder cannot be written and there is no user folder</translation>
    </message>
    <message>
        <source>a tabela que está lá não pôde ser lida</source>
        <translation>the table there could not be read</translation>
    </message>
    <message>
        <source>Só cabem letras, algarismos e sinais do alfabeto latino: sem emojis nem ideogramas.</source>
        <translation>Only Latin letters, digits and signs fit: no emoji or ideographs.</translation>
    </message>
    <message>
        <source>1º</source>
        <translation>1.</translation>
    </message>
    <message>
        <source>2º</source>
        <translation>2.</translation>
    </message>
    <message>
        <source>3º</source>
        <translation>3.</translation>
    </message>
    <message>
        <source>4º</source>
        <translation>4.</translation>
    </message>
    <message>
        <source>5º</source>
        <translation>5.</translation>
    </message>
    <message>
        <source>6º</source>
        <translation>6.</translation>
    </message>
    <message>
        <source>7º</source>
        <translation>7.</translation>
    </message>
    <message>
        <source>Mostra esta ajuda e sai.</source>
        <translation>Show this help and exit.</translation>
    </message>
    <message>
        <source>Mostra a versão e sai.</source>
        <translation>Show the version and exit.</translation>
    </message>
    <message>
        <source>--lang &lt;LÍNGUA&gt;</source>
        <translation>--lang &lt;LANG&gt;</translation>
    </message>
    <message>
        <source>Mostra o jogo em LÍNGUA (pt ou en) só desta vez.</source>
        <translation>Show the game in LANG (pt or en) this time only.</translation>
    </message>
    <message>
        <source>--replay &lt;ARQUIVO&gt;</source>
        <translation>--replay &lt;FILE&gt;</translation>
    </message>
    <message>
        <source>Reproduz em tempo real o jogo gravado em ARQUIVO (Esc termina; a tabela de recordes não é gravada). O jogo grava cada sessão na pasta records da sua pasta de dados.</source>
        <translation>Play the recorded game FILE back in real time (Esc ends it; the high-score table is not written). The game records each session in the records folder of its data folder.</translation>
    </message>
    <message>
        <source>Uso: %1 [opções]</source>
        <translation>Usage: %1 [options]</translation>
    </message>
    <message>
        <source>Vulcro Pelmar, um jogo de arcade numa cozinha de dois andares.</source>
        <translation>Vulcro Pelmar, an arcade game in a two-room kitchen.</translation>
    </message>
    <message>
        <source>Outras opções de um traço (-platform, -style, -display...) são do Qt e vão para o Qt.</source>
        <translation>Options with one dash other than these (-platform, -style, -display...) are Qt&apos;s own and go to Qt.</translation>
    </message>
    <message>
        <source>Opções:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Recordes: %1/%2</source>
        <translation>High scores: %1/%2</translation>
    </message>
    <message>
        <source>Recordes: não guardados, nenhuma pasta pode ser gravada</source>
        <translation>High scores: not kept, no folder can be written</translation>
    </message>
    <message>
        <source>pelmar: o jogo não fala &quot;%1&quot;; ele fica em %2.
</source>
        <translation>pelmar: the game does not speak &quot;%1&quot;; it stays in %2.
</translation>
    </message>
    <message>
        <source>inglês</source>
        <translation>English</translation>
    </message>
    <message>
        <source>O registro das partidas não pode ser guardado em %1: %2.</source>
        <translation>The records of the games cannot be kept in %1: %2.</translation>
    </message>
    <message>
        <source>não é uma pasta</source>
        <translation>it is not a folder</translation>
    </message>
    <message>
        <source>pelmar: sem pasta pessoal (HOME), as preferências e os registros das partidas não são guardados.
</source>
        <translation>pelmar: no home folder (HOME): the settings and the records of the games are not kept.
</translation>
    </message>
    <message>
        <source>pelmar: sem pasta pessoal (HOME), as preferências não são guardadas.
</source>
        <translation>pelmar: no home folder (HOME): the settings are not kept.
</translation>
    </message>
    <message>
        <source>pelmar: sem pasta pessoal (HOME), os registros das partidas não são guardados.
</source>
        <translation>pelmar: no home folder (HOME): the records of the games are not kept.
</translation>
    </message>
    <message>
        <source>português</source>
        <translation>Portuguese</translation>
    </message>
    <message>
        <source>&amp;Idioma</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Idioma do &amp;sistema</source>
        <translation>&amp;System language</translation>
    </message>
</context>
</TS>
